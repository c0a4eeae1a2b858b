// A replay folder built as an attacker would: a file that fails while it is read, a pipe, a
// 3 GB file without a line end, numbers beyond every range, empty and cut files, a folder named
// like a replay and odd names. The library scan, a series and the single view go over it in a
// child process under a 2 GiB address-space limit: a row per regular file, no crash, no hang,
// nothing on disk changed.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "library/library_row.h"
#include "library/library_scan.h"
#include "library/library_tables.h"
#include "platform/headless_desktop.h"
#include "platform/kordex_error.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "replay/block_reader.h"
#include "series/series_run.h"
#include "single/single_analysis.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/folder_tree.h"
#include "support/headless_series.h"
#include "support/headless_single.h"
#include "support/library_row_read.h"
#include "support/read_error_file.h"
#include "support/replay_fixture.h"
#include "support/test_paths.h"
#include "tables/label_store.h"
#include "text/ini_file.h"
#include "window/window_tables.h"

#if defined(__SANITIZE_ADDRESS__)
#define KORDEX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORDEX_ASAN 1
#endif
#endif

namespace kordex {
namespace {

namespace fs = std::filesystem;
namespace col = library_column;
using test::BattleFixture;

#ifndef _WIN32

constexpr std::uint64_t kThreeGigabytes = std::uint64_t{3} << 30;
const std::string kDate = "2017.03.28 16:43:13";  // the fixture's battle time

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

using test::kFailsWhileRead;
using test::ReadFailsWithIoError;

// A replay whose header and results start in the first bytes and whose line then runs on
// without a line feed, as zeros of a sparse file, to `size` bytes.
void WriteEndlessLine(const std::string& path, std::uint64_t size) {
    BattleFixture battle(14);
    test::ReplayFixture fixture;
    fixture.header = battle.HeaderJson();
    fixture.results = battle.ResultsJson();
    fixture.results.pop_back();  // the results object never closes
    fixture.binaryRest.clear();
    test::WriteReplayFile(path, fixture);
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(size)), 0);
}

// Runs `work` in a child process, under the address-space limit where the build allows one,
// and gives back what it printed; "timeout" or "crashed" when it did not end by itself.
std::string RunInLimitedChild(const std::function<std::string()>& work,
                              std::chrono::seconds timeout) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
#ifndef KORDEX_ASAN
        const rlimit limit{std::uint64_t{2} << 30, std::uint64_t{2} << 30};
        ::setrlimit(RLIMIT_AS, &limit);
#endif
        std::string out;
        try {
            out = work();
        } catch (const std::exception& error) {
            out = std::string("uncaught ") + error.what();
        }
        for (std::size_t at = 0; at < out.size();) {
            const ssize_t n = ::write(pipeEnds[1], out.data() + at, out.size() - at);
            if (n <= 0)
                break;
            at += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string out;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool timedOut = false;
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd readable{pipeEnds[0], POLLIN, 0};
        if (left.count() <= 0 || ::poll(&readable, 1, static_cast<int>(left.count())) == 0) {
            timedOut = true;
            break;
        }
        char chunk[4096];
        const ssize_t n = ::read(pipeEnds[0], chunk, sizeof chunk);
        if (n <= 0)
            break;
        out.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(pipeEnds[0]);
    if (timedOut)
        ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (timedOut)
        return "timeout";
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "crashed with status " + std::to_string(status) + ": " + out;
    return out;
}

class HostileFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ReadFailsWithIoError())
            GTEST_SKIP() << kFailsWhileRead << " gives no read error here";
        const auto file = [&](const std::string& name) { return folder_.File(name); };
        // Sorts first, so the scan reads it last and every other row is filled before.
        fs::create_symlink(kFailsWhileRead, file("!read error.wotreplay"));
        ASSERT_EQ(::mkfifo(file("pipe.wotreplay").c_str(), 0600), 0);
        WriteEndlessLine(file("endless line.wotreplay"), kThreeGigabytes);
        BattleFixture huge(14);
        huge.SetPersonal("premiumCreditsFactor10", "1e300");
        test::WriteBattleReplay(file("huge numbers.wotreplay"), huge);
        test::WriteBytesFile(file("empty.wotreplay"), "");
        test::WriteBattleReplay(file("complete.wotreplay"), BattleFixture(14));
        const std::string whole = test::ReplayBytes(test::ReplayOf(BattleFixture(14)));
        test::WriteBytesFile(file("truncated.wotreplay"), whole.substr(0, whole.size() / 3));
        fs::create_directory(test::PathOf(file("folder.wotreplay")));
        test::WriteBytesFile(file("folder.wotreplay/inside.wotreplay"), whole);
        for (const char* odd : {"имя с пробелами [1].wotreplay", ".hidden.wotreplay",
                                "Temp.wotreplay", "new\nline.wotreplay", "back\\slash.wotreplay"})
            test::WriteBytesFile(file(odd), whole);
        test::WriteBytesFile(file("temp.wotreplay"), whole);  // the game's own: never listed
        before_ = test::TreeOf(folder_.Path());
    }

    std::string File(const std::string& name) const { return folder_.File(name); }

    test::TempFolder folder_;
    test::Tree before_;
};

// The scan in the child: each row's first cell and path, one row a line, then how it ended.
std::string ScanFolder(const std::string& folder) {
    LibraryTables tables;
    HeadlessDesktop desktop;
    std::string ending = "finished";
    try {
        ProcessReplays(folder, tables, IniFile(), desktop);
    } catch (const KordexError& error) {
        ending = std::string("error ") + error.what();
    }
    std::string out;
    for (int row = 1; row < tables.allReplays.RowCount(); ++row)
        out +=
            tables.allReplays.Cell(0, row) + "\t" + tables.allReplays.Cell(col::Path, row) + "\n";
    return out + ending;
}

TEST_F(HostileFolder, ScanSeriesAndSingleViewEndWithinTwoGigabytesAndChangeNothing) {
    const std::string scan =
        RunInLimitedChild([&] { return ScanFolder(folder_.Path()); }, std::chrono::seconds(120));
    // One row per regular replay file, the last path first; the read error ends the scan.
    const std::vector<std::string> listed = {
        "!read error.wotreplay",
        ".hidden.wotreplay",
        "back\\slash.wotreplay",
        "complete.wotreplay",
        "empty.wotreplay",
        "endless line.wotreplay",
        "huge numbers.wotreplay",
        "new\nline.wotreplay",
        "Temp.wotreplay",
        "truncated.wotreplay",
        "имя с пробелами [1].wotreplay",
    };
    const std::set<std::string> readable = {
        ".hidden.wotreplay",   "back\\slash.wotreplay", "complete.wotreplay",
        "new\nline.wotreplay", "Temp.wotreplay",        "имя с пробелами [1].wotreplay",
    };
    std::string expected;
    for (auto name = listed.rbegin(); name != listed.rend(); ++name) {
        if (*name == "!read error.wotreplay")
            expected += "\t\n";  // the read failed before the row was filled
        else
            expected += (readable.count(*name) ? kDate : "Ошибка") + "\t" + File(*name) + "\n";
    }
    ASSERT_EQ(scan.substr(0, expected.size()), expected) << scan;
    EXPECT_EQ(scan.substr(expected.size()).rfind("error Ошибка чтения файла", 0), 0u) << scan;

    // The series marks what it cannot read and goes on; nothing is moved aside here.
    std::vector<std::string> paths;
    for (const auto& name : listed)
        paths.push_back(File(name));
    paths.push_back(File("pipe.wotreplay"));  // a pipe swapped in after the listing
    const std::string series = RunInLimitedChild(
        [&] {
            test::HeadlessSeries series;
            series.options.moveUnusable = false;
            const SeriesRunResult result = series.Run(paths);
            std::string out;
            // By position in `paths`: one name holds a line feed.
            for (const auto& replay : result.replays) {
                const auto at = std::find(paths.begin(), paths.end(), replay.path) - paths.begin();
                out += std::to_string(at) + "\t" +
                       (replay.kind == ReplayClass::Complete ? "battle" : replay.word) + "\n";
            }
            return out;
        },
        std::chrono::seconds(120));
    const std::vector<std::string> seriesLines = Lines(series);
    ASSERT_EQ(seriesLines.size(), paths.size()) << series;
    // The run list keeps itself sorted: each line names its file.
    std::map<std::string, std::string> seriesWords;
    for (const auto& line : seriesLines)
        seriesWords[line.substr(0, line.find('\t'))] = line.substr(line.find('\t') + 1);
    // The readable files are copies of one battle: it counts once, the others are repeats.
    int battles = 0;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string name = fs::path(paths[i]).filename().string();
        const std::string& word = seriesWords[std::to_string(i)];
        if (readable.count(name)) {
            battles += word == "battle";
            EXPECT_TRUE(word == "battle" || word == "Повтор") << name << ": " << word;
        } else if (name == "pipe.wotreplay") {
            EXPECT_EQ(word, "Ошибка чтения") << name;  // no regular file: it does not open
        } else if (name == "!read error.wotreplay") {
            EXPECT_EQ(word, "Сбой") << name;            // opened, then failed while read
        } else if (name != "huge numbers.wotreplay") {  // the series has no use for the factor
            EXPECT_NE(word, "battle") << name;
        }
    }
    EXPECT_EQ(battles, 1);

    // The single view of every path: an end, never a crash or a wait.
    const std::string single = RunInLimitedChild(
        [&] {
            std::string out;
            for (const auto& path : paths) {
                test::HeadlessSingle single;
                try {
                    out += std::to_string(static_cast<int>(single.Analyse(path)));
                } catch (const KordexError&) {
                    out += "error";
                }
                out += "\n";
            }
            return out;
        },
        std::chrono::seconds(120));
    const std::vector<std::string> singleLines = Lines(single);
    ASSERT_EQ(singleLines.size(), paths.size()) << single;
    const auto end = [](SingleEnd e) { return std::to_string(static_cast<int>(e)); };
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string name = fs::path(paths[i]).filename().string();
        if (readable.count(name)) {
            EXPECT_EQ(singleLines[i], end(SingleEnd::Completed)) << name;
        } else if (name == "!read error.wotreplay") {
            EXPECT_EQ(singleLines[i], "error") << name;  // the default error handling
        } else if (name == "pipe.wotreplay") {
            // Not a file to the view: it asks for one, and the headless dialog is cancelled.
            EXPECT_EQ(singleLines[i], end(SingleEnd::DialogCancelled)) << name;
        } else if (name != "huge numbers.wotreplay") {  // the view has no use for the factor
            EXPECT_NE(singleLines[i], end(SingleEnd::Completed)) << name;
        }
    }

    EXPECT_EQ(test::TreeOf(folder_.Path()), before_);
#ifdef KORDEX_ASAN
    std::cout << "AddressSanitizer reserves more than 2 GiB: ran without the address-space limit\n";
#endif
}

// A pipe swapped in for a listed file would hold a blocking open for ever.
TEST(HostileFile, APipeIsAnOpenFailureAndNeverAWait) {
    test::TempFolder folder;
    const std::string pipe = folder.File("pipe.wotreplay");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [&] {
        return ReadReplayBlocks(pipe, ReadingVariant::List).has_value();
    });
    if (reading.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        // Release the reader with a writer, so that the test ends and says so.
        const int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
        FAIL() << "the open of a pipe waited";
    }
    EXPECT_FALSE(reading.get());
    EXPECT_EQ(test::ReadLibraryRow(pipe).kind, LibraryRowKind::Error);
}

#else

// The folder is built from what only POSIX has: /proc/self/mem, named pipes, fork, an
// address-space limit and sparse files.
TEST(HostileFolder, ScanSeriesAndSingleViewEndWithinTwoGigabytesAndChangeNothing) {
    GTEST_SKIP() << "the hostile folder is built from POSIX pipes, /proc and fork";
}

#endif

// A block that does not close within the first 64 MB is an unfinished block, and memory stays
// that of the window whatever the length of the line.
TEST(HostileFile, ABlockBeyondTheReadingWindowIsUnfinished) {
    test::TempFolder folder;
    const std::string path = folder.File("long.wotreplay");
    {
        std::string start = "{\"clientVersionFromExe\":\"" + std::string(80u << 20, ' ');
        test::WriteBytesFile(path, start + "\"}");
    }
    const auto blocks = ReadReplayBlocks(path, ReadingVariant::List);
    ASSERT_TRUE(blocks);
    EXPECT_EQ(blocks->HeaderBlock.size(), std::size_t{64} << 20);
    EXPECT_NE(blocks->HeaderBlock.back(), '}');

    // Closed just inside the window: whole.
    {
        std::string start = "{\"clientVersionFromExe\":\"" + std::string((60u << 20), ' ');
        test::WriteBytesFile(path, start + "\"}" + std::string(10u << 20, 'x'));
    }
    const auto inside = ReadReplayBlocks(path, ReadingVariant::List);
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->HeaderBlock.back(), '}');
}

}  // namespace
}  // namespace kordex
