#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/held_file.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

namespace fs = std::filesystem;

using test::PathOf;

bool HasLineWith(const std::vector<std::string>& lines, const std::string& a,
                 const std::string& b) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(a) != std::string::npos && line.find(b) != std::string::npos;
    });
}

// A real replay that another process holds open for writing, as the game holds the replay of
// the battle it is recording, in a folder named as a Russian user's would be.
class HeldReplay : public ::testing::Test {
  protected:
    void SetUp() override {
        KORDEX_REQUIRE_SHARED_REPLAYS();
        const std::string replays = folder_.File("Иван Петров/Мои реплеи");
        fs::create_directories(PathOf(replays));
        for (const auto& entry :
             fs::recursive_directory_iterator(PathOf(test::SharedReplaysFolder()))) {
            if (entry.path().extension() == ".wotreplay") {
                const std::u8string name = entry.path().filename().u8string();
                path_ = replays + "/" + std::string(name.begin(), name.end());
                fs::copy_file(entry.path(), PathOf(path_));
                break;
            }
        }
        ASSERT_FALSE(path_.empty());
        replaysFolder_ = replays;
    }

    test::TempFolder folder_;
    std::string replaysFolder_;
    std::string path_;
};

#ifdef _WIN32
TEST_F(HeldReplay, CannotBeOpenedAndEachViewSaysSoInItsOwnWords) {
    test::FileHeldForWriting held(path_);
    ASSERT_TRUE(held.Held());

    const test::CliRun single = test::RunProgram(KORDEX_CLI, {"single", path_});
    EXPECT_EQ(test::DumpSection(single.output, "Events"),
              std::vector<std::string>{"message Файл закрыт для чтения."});

    const test::CliRun series = test::RunProgram(KORDEX_CLI, {"series", path_});
    EXPECT_TRUE(HasLineWith(test::DumpSection(series.output, "Replays"), path_, "Ошибка чтения"))
        << series.output;

    const test::CliRun library = test::RunProgram(KORDEX_CLI, {"library", replaysFolder_});
    const auto rows = test::DumpSection(library.output, "sg_AllReplays");
    ASSERT_EQ(rows.size(), 2u) << library.output;  // the title row and the replay's
    EXPECT_NE(rows[1].find("Ошибка"), std::string::npos) << rows[1];
}
#else
// No such sharing rule exists here: the replay the game writes reads as any other.
TEST_F(HeldReplay, ReadsAsAnyOtherWhereNoSharingRuleExists) {
    test::FileHeldForWriting held(path_);
    ASSERT_TRUE(held.Held());

    const test::CliRun single = test::RunProgram(KORDEX_CLI, {"single", path_});
    EXPECT_EQ(single.status, 0);
    EXPECT_FALSE(HasLineWith(test::DumpSection(single.output, "Events"), "message", "закрыт"));
    const test::CliRun series = test::RunProgram(KORDEX_CLI, {"series", path_});
    EXPECT_FALSE(HasLineWith(test::DumpSection(series.output, "Replays"), path_, "Ошибка чтения"))
        << series.output;
}
#endif

}  // namespace
}  // namespace kordex
