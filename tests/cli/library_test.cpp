#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/cli_run.h"
#include "support/read_error_file.h"
#include "support/replay_fixture.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

namespace fs = std::filesystem;

TEST(LibraryCommand, AFolderThatIsNotThereIsAUsageError) {
    test::TempFolder folder;
    test::WriteBytesFile(folder.File("file.wotreplay"), "");
    for (const std::string& argument :
         {folder.File("missing"), std::string(), folder.File("file.wotreplay")}) {
        const test::CliRun run = test::RunProgram(KORDEX_CLI, {"library", argument});
        EXPECT_EQ(run.status, 2) << '"' << argument << '"';
        EXPECT_EQ(run.output, "") << '"' << argument << '"';
    }
}

#ifndef _WIN32

// Rows are written a cell at a time, the plain ones as they are: a tab, line feed or backslash
// in a path must still come out escaped, the row's cells one tab apart. (Windows file names
// hold no tab or line feed, and a backslash there separates folders.)
TEST(LibraryCommand, PathsWithTabsLineFeedsAndBackslashesAreEscaped) {
    test::TempFolder folder;
    test::WriteBattleReplay(folder.File("a\tb\nc\\d.wotreplay"), test::BattleFixture(14));
    const test::CliRun run = test::RunProgram(KORDEX_CLI, {"library", "--no-cache", folder.Path()});
    ASSERT_EQ(run.status, 0) << run.output;
    const std::vector<std::string> rows = test::DumpSection(run.output, "sg_AllReplays");
    ASSERT_EQ(rows.size(), 2u) << run.output;
    EXPECT_TRUE(rows[1].starts_with("2017.03.28 16:43:13\t")) << rows[1];
    EXPECT_TRUE(rows[1].ends_with("\t" + folder.Path() + "/a\\tb\\nc\\\\d.wotreplay")) << rows[1];
}

using test::kFailsWhileRead;
using test::ReadFailsWithIoError;

// kordex-cli library under a 2 GiB address-space limit.
test::CliRun RunLibraryWithinTwoGigabytes(const std::string& folder) {
    return test::RunProgram("/bin/sh", {"-c", "ulimit -v 2097152 && exec \"$0\" \"$@\"", KORDEX_CLI,
                                        "library", folder});
}

TEST(LibraryCommand, AHostileFolderGivesARowPerFileAndTheReadErrorAsTheWindowDoes) {
    if (!ReadFailsWithIoError())
        GTEST_SKIP() << kFailsWhileRead << " gives no read error here";
    test::TempFolder folder;
    // Sorts first, so the scan reads it last.
    fs::create_symlink(kFailsWhileRead, folder.File("!read error.wotreplay"));
    ASSERT_EQ(::mkfifo(folder.File("pipe.wotreplay").c_str(), 0600), 0);
    test::WriteBattleReplay(folder.File("complete.wotreplay"), test::BattleFixture(14));
    test::BattleFixture huge(14);
    huge.SetPersonal("premiumCreditsFactor10", "1e300");
    test::WriteBattleReplay(folder.File("huge numbers.wotreplay"), huge);
    test::WriteBytesFile(folder.File("endless line.wotreplay"), "{\"clientVersionFromExe\":\"");
    ASSERT_EQ(::truncate(folder.File("endless line.wotreplay").c_str(), off_t{3} << 30), 0);

    const test::CliRun run = RunLibraryWithinTwoGigabytes(folder.Path());
    EXPECT_EQ(run.status, 1) << run.output;
    const std::vector<std::string> rows = test::DumpSection(run.output, "sg_AllReplays");
    ASSERT_EQ(rows.size(), 5u) << run.output;  // the titles and one row per regular file
    const auto rowOf = [&](const std::string& name) {
        for (const auto& row : rows)
            if (row.ends_with("\t" + folder.File(name)))
                return row;
        return std::string("no row for " + name);
    };
    EXPECT_TRUE(rowOf("complete.wotreplay").starts_with("2017.03.28 16:43:13\t"));
    EXPECT_TRUE(rowOf("huge numbers.wotreplay").starts_with("Ошибка\tОшибка\t"));
    EXPECT_TRUE(rowOf("endless line.wotreplay").starts_with("Ошибка\tОшибка\t"));
    // The file that failed: its row stays as the scan left it, and the error is told.
    EXPECT_EQ(rows[4].find_first_not_of('\t'), std::string::npos) << rows[4];
    const std::vector<std::string> events = test::DumpSection(run.output, "Events");
    ASSERT_EQ(events.size(), 1u) << run.output;
    EXPECT_TRUE(events[0].starts_with("error Ошибка чтения файла")) << events[0];
}

#else

TEST(LibraryCommand, AHostileFolderGivesARowPerFileAndTheReadErrorAsTheWindowDoes) {
    GTEST_SKIP() << "the hostile folder is built from POSIX pipes, /proc and ulimit";
}

#endif

}  // namespace
}  // namespace kordex
