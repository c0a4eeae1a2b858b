#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/cli_run.h"
#include "support/tab_fields.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

using test::BattleFixture;
using test::TabFields;

class SingleCommandTest : public ::testing::Test {
  protected:
    // The C locale's decimal point, whatever the machine's locale is.
    void SetUp() override { test::SetEnvironment("LC_ALL", "C"); }

    std::string Write(const BattleFixture& battle) {
        const std::string path = folder_.File("battle.wotreplay");
        test::WriteBattleReplay(path, battle);
        return path;
    }

    test::CliRun Run(const std::string& replay, std::vector<std::string> options = {}) {
        options.insert(options.begin(), "single");
        options.push_back(replay);
        run_ = test::RunProgram(KORDEX_CLI, options);
        return run_;
    }

    std::vector<std::string> Section(const std::string& name) const {
        return test::DumpSection(run_.output, name);
    }

    std::map<std::string, std::string> Records(const std::string& name) const {
        std::map<std::string, std::string> records;
        for (const auto& line : Section(name)) {
            const auto tab = line.find('\t');
            records[line.substr(0, tab)] = tab == std::string::npos ? "" : line.substr(tab + 1);
        }
        return records;
    }

    test::TempFolder folder_;
    test::CliRun run_;
};

TEST_F(SingleCommandTest, DumpsLabelsTablesAndPanelOfAFinishedBattle) {
    BattleFixture battle(30);
    battle.SetMap("02_malinovka", "Малиновка").SetWinnerTeam("0");
    battle.Vehicle(3).platoonId = "7050091";
    battle.Vehicle(6).platoonId = "7050091";
    EXPECT_EQ(Run(Write(battle)).status, 0);

    auto labels = Records("Labels");
    EXPECT_EQ(labels.size(), 5u);
    EXPECT_EQ(labels["Label_Map"], "Малиновка, обычный");
    EXPECT_EQ(labels["Label_isWinner"], "Ничья");

    for (const char* name : {"AlliesGrid", "EnemiesGrid"}) {
        const auto rows = Section(name);
        ASSERT_EQ(rows.size(), 16u) << name;
        for (const auto& row : rows)
            EXPECT_EQ(TabFields(row).size(), 13u) << name;
        EXPECT_EQ(TabFields(rows[0])[6], "Опыт");
        // Sorted by experience with the markers kept; the hidden account id is there.
        const auto best = TabFields(rows[1]);
        EXPECT_TRUE(best[6].ends_with(";+1")) << name << " " << best[6];
        EXPECT_FALSE(best[12].empty()) << name;
    }
    int platoonOne = 0;
    for (const auto& row : Section("AlliesGrid"))
        platoonOne += TabFields(row)[0] == "1";
    EXPECT_EQ(platoonOne, 2);

    auto personal = Records("Personal");
    EXPECT_EQ(personal.size(), 32u);
    EXPECT_EQ(personal["Label_mileage"], "0.935 км");
    EXPECT_EQ(personal["Label_killerID"], "");
    EXPECT_TRUE(Section("Events").empty());
    EXPECT_TRUE(Section("Status").empty());
}

// "--sort 5" is the click on "Убил": players without a kill (an empty cell) go below every
// kill count, in both tables.
TEST_F(SingleCommandTest, SortClicksATitleOfBothTables) {
    BattleFixture battle(30);
    const char* const kills[] = {"0", "3", "0", "1", "2", "0", "2"};
    for (int i = 0; i < 30; ++i)
        battle.Vehicle(i).frags = kills[i % 7];
    ASSERT_EQ(Run(Write(battle), {"--sort", "5"}).status, 0);
    for (const char* name : {"AlliesGrid", "EnemiesGrid"}) {
        std::vector<int> shown;
        for (const auto& row : Section(name)) {
            const auto cells = TabFields(row);
            if (cells[1].empty() || cells[5] == "Убил")
                continue;
            shown.push_back(cells[5].empty() ? 0 : std::stoi(cells[5]));
        }
        ASSERT_EQ(shown.size(), 15u) << name;
        EXPECT_TRUE(std::is_sorted(shown.rbegin(), shown.rend())) << name;
        EXPECT_EQ(shown.back(), 0) << name;
    }

    // A title that does not sort leaves the experience order; a column that is no number is
    // wrong usage.
    ASSERT_EQ(Run(Write(battle), {"--sort", "1"}).status, 0);
    EXPECT_TRUE(TabFields(Section("AlliesGrid")[1])[6].ends_with(";+1"));
    EXPECT_EQ(Run(Write(battle), {"--sort", "x"}).status, 2);
    EXPECT_EQ(Run(Write(battle), {"--sort"}).status, 2);
}

TEST_F(SingleCommandTest, AMissingFileIsACancelledDialog) {
    EXPECT_EQ(Run(folder_.File("absent.wotreplay")).status, 1);
    EXPECT_EQ(Section("Events"), (std::vector<std::string>{"dialog", "beep 400 200"}));
    EXPECT_EQ(Section("Status").size(), 1u);
    EXPECT_EQ(Section("AlliesGrid").size(), 16u);
}

TEST_F(SingleCommandTest, AnOldClientShowsItsMessage) {
    EXPECT_EQ(Run(Write(BattleFixture(30, "0, 8, 10, 0"))).status, 1);
    const auto events = Section("Events");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_TRUE(events[0].starts_with("message Реплеи WoT версий 0.8.10 и ниже")) << events[0];
    EXPECT_EQ(Records("Labels")["Label_replayVersionXml"], "World of Tanks v.0, 8, 10, 0 #388");
}

TEST_F(SingleCommandTest, AnUnhandledFailureIsRecordedAndWhatWasFilledStays) {
    BattleFixture broken(30);
    broken.SetPersonal("mileage", "\"far\"");
    EXPECT_EQ(Run(Write(broken)).status, 1);
    const auto events = Section("Events");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_TRUE(events[0].starts_with("error ")) << events[0];
    EXPECT_FALSE(TabFields(Section("AlliesGrid")[1])[1].empty());
    EXPECT_EQ(Records("Personal")["Label_mileage"], "0");
    EXPECT_EQ(Records("Personal")["Label_spotted"], "2");
}

}  // namespace
}  // namespace kordex
