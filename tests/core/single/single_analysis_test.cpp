#include "single/single_analysis.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "platform/headless_desktop.h"
#include "platform/kordex_error.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "replay/battle_header.h"
#include "replay/block_reader.h"
#include "single/team_tables.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/headless_single.h"
#include "support/replay_fixture.h"
#include "support/team_table_checks.h"
#include "support/test_paths.h"
#include "window/window_tables.h"

namespace kordex {
namespace {

using test::BattleFixture;
using test::BodyRowsFilled;
using test::MarkerCounts;
using test::SortedByExperience;

// Says every path exists, so that a file the reader cannot open reaches the reader.
class EverythingExists : public StdFileSystem {
  public:
    bool FileExists(const std::string&) override { return true; }
};

using Harness = test::HeadlessSingle;

std::string WriteBattle(const test::TempFolder& folder, const BattleFixture& battle,
                        const std::string& name = "battle.wotreplay") {
    const std::string path = folder.File(name);
    test::WriteBattleReplay(path, battle);
    return path;
}

bool TablesEmpty(const SingleView& view) {
    return BodyRowsFilled(view.alliesGrid) == 0 && BodyRowsFilled(view.enemiesGrid) == 0;
}

// The body rows of both team tables by the player's name.
std::map<std::string, std::vector<std::string>> RowsByName(const SingleView& view) {
    std::map<std::string, std::vector<std::string>> rows;
    for (const TextGrid* grid : {&view.alliesGrid, &view.enemiesGrid})
        for (int row = 1; row < grid->RowCount(); ++row)
            rows[grid->Cell(team_column::Name, row)] = grid->Row(row);
    return rows;
}

bool PanelAtZero(const SingleView& view) {
    for (auto name : PersonalPanelLabels())
        if (view.labels.Text(name) != "0")
            return false;
    return true;
}

// A folder for the replays and the single view that analyses them.
class AnalyseClick : public ::testing::Test {
  protected:
    SingleEnd Analyse(const BattleFixture& battle, const std::string& name = "battle.wotreplay") {
        return harness.Analyse(WriteBattle(folder, battle, name));
    }

    test::TempFolder folder;
    Harness harness;
};

TEST_F(AnalyseClick, FillsBothTeamsOfAFinishedBattle) {
    BattleFixture battle(30);
    battle.SetMap("06_ensk", "Энск").SetGameplay("assault").SetBattleType(6);
    ASSERT_EQ(Analyse(battle), SingleEnd::Completed);
    const SingleView& view = harness.view;

    EXPECT_TRUE(harness.desktop.Events().empty());
    EXPECT_EQ(BodyRowsFilled(view.alliesGrid), 15);
    EXPECT_EQ(BodyRowsFilled(view.enemiesGrid), 15);
    for (const TextGrid* grid : {&view.alliesGrid, &view.enemiesGrid}) {
        EXPECT_TRUE(SortedByExperience(*grid));
        for (int column = team_column::Xp; column <= team_column::AssistTrack; ++column) {
            auto counts = MarkerCounts(*grid, column);
            EXPECT_EQ(counts["+1"], 1) << column;
            EXPECT_EQ(counts["-1"], 1) << column;
            EXPECT_EQ(counts["0"], 13) << column;
        }
    }
    // The recorder (vehicle 0, team 1) has the lowest experience of his team: 300.
    EXPECT_EQ(view.alliesGrid.Cell(team_column::Xp, 15), "300;-1");
    EXPECT_EQ(view.alliesGrid.Cell(team_column::Name, 15), "Player01");
    EXPECT_EQ(view.alliesGrid.Cell(team_column::Xp, 1), std::to_string(300 + 17 * 14) + ";+1");
    EXPECT_EQ(view.enemiesGrid.Cell(team_column::Name, 1), "Player30");

    EXPECT_EQ(view.labels.Text("Label_Map"), "Энск, штурм");
    EXPECT_EQ(view.labels.Text("Label_isWinner"), "Победа");
    EXPECT_EQ(view.labels.Text("lb_battleType"), "боев.обучение");
    EXPECT_EQ(view.labels.Text("Label_Time"), "28.03.2017 16:43:13");
    EXPECT_EQ(view.labels.Text("Label_replayVersionXml"), "World of Tanks v.0.9.17.1 #388");
    EXPECT_EQ(view.labels.Text("Label_lifetime_duration"), "6м 38c / 6м 38c");
    EXPECT_EQ(view.labels.Text("Label_silverSumm"), std::to_string(14920 - 1520 - 1234));

    // Columns 0 to 5 fit their longest text; the others keep their widths.
    const int nameWidth =
        static_cast<int>(std::string("Player01").size()) * HeadlessDesktop::kCharacterWidth;
    EXPECT_EQ(view.alliesGrid.ColumnWidth(team_column::Name), nameWidth + 1 + 7);
    EXPECT_EQ(view.alliesGrid.ColumnWidth(team_column::Xp), 50);
    EXPECT_EQ(view.alliesGrid.ColumnWidth(team_column::AccountId), 0);
}

// "Убит игроком:" names the killer by the vehicle id of "killerID"; "Точн." is hits per shot.
TEST_F(AnalyseClick, NamesTheKillerAndShowsEachPlayersAccuracy) {
    BattleFixture battle(30);
    battle.SetPersonal("killerID", battle.Vehicle(20).vehicleId);
    for (int i = 0; i < battle.VehicleCount(); ++i)
        battle.Vehicle(i).shots = battle.Vehicle(i).hits = "0";
    battle.Vehicle(20).vehicleType = "germany:Tiger";
    // Allies: 2 of 3 (67 %), 1 of 4 (25 %), the others no shot; one enemy 5 of 5.
    battle.Vehicle(0).shots = "3";
    battle.Vehicle(0).hits = "2";
    battle.Vehicle(1).shots = "4";
    battle.Vehicle(1).hits = "1";
    battle.Vehicle(20).shots = "5";
    battle.Vehicle(20).hits = "5";
    battle.SetHeader("regionCode", "\"NA\"").SetHeader("serverName", "\"US Central\"");
    ASSERT_EQ(Analyse(battle), SingleEnd::Completed);
    EXPECT_EQ(harness.view.header.regionCode, "NA");
    EXPECT_EQ(harness.view.header.serverName, "US Central");

    EXPECT_EQ(harness.labels.Text("Label_killerID"), "Player21 (germany:Tiger)");
    auto rows = RowsByName(harness.view);
    for (const auto& [name, accuracy] : std::map<std::string, std::string>{{"Player01", "67;+1"},
                                                                           {"Player02", "25;-1"},
                                                                           {"Player03", ""},
                                                                           {"Player21", "100;+1"}})
        EXPECT_EQ(rows[name].at(team_column::Accuracy), accuracy) << name;
    EXPECT_EQ(harness.view.alliesGrid.Cell(team_column::Accuracy, 0), "Точн.");

    // Not killed: the label shows nothing.
    battle.SetPersonal("killerID", "0");
    ASSERT_EQ(Analyse(battle, "alive.wotreplay"), SingleEnd::Completed);
    EXPECT_EQ(harness.labels.Text("Label_killerID"), "");
}

TEST(SingleReplayAnalyseClick, ShowsTheOutcomeForTheRecordersTeam) {
    struct Case {
        const char* winnerTeam;
        int recorder;
        const char* word;
    };
    for (auto c : {Case{"1", 0, "Победа"}, Case{"0", 0, "Ничья"}, Case{"2", 0, "Поражение"},
                   Case{"2", 20, "Победа"}}) {
        test::TempFolder folder;
        BattleFixture battle(30);
        battle.SetWinnerTeam(c.winnerTeam).SetRecorder(c.recorder);
        battle.SetPersonal("team", std::to_string(battle.Vehicle(c.recorder).team));
        Harness harness;
        ASSERT_EQ(harness.Analyse(WriteBattle(folder, battle)), SingleEnd::Completed);
        EXPECT_EQ(harness.view.labels.Text("Label_isWinner"), c.word);
        // The recorder's team is always the allies' table.
        bool recorderAmongAllies = false;
        for (int row = 1; row < kTeamRows; ++row)
            recorderAmongAllies |= harness.view.alliesGrid.Cell(team_column::Name, row) ==
                                   battle.Vehicle(c.recorder).name;
        EXPECT_TRUE(recorderAmongAllies) << c.recorder;
    }
}

TEST_F(AnalyseClick, NumbersPlatoonsAndNamesVehicles) {
    BattleFixture battle(30);
    battle.Vehicle(3).platoonId = "7050091";
    battle.Vehicle(5).platoonId = "7050091";
    battle.Vehicle(16).platoonId = "666120";
    battle.Vehicle(20).platoonId = "666120";
    battle.Vehicle(0).vehicleType = "ussr:T-34";
    battle.Vehicle(1).vehicleType = "ussr:Unknown_Tank";
    std::ofstream(test::PathOf(folder.File("tanks.ini")))
        << "[options]\nAutoScan=0\n[ussr]\nt-34=Т-34\n";

    harness.settings.iniPath = folder.File("tanks.ini");
    ASSERT_EQ(Analyse(battle), SingleEnd::Completed);

    auto rowsByName = RowsByName(harness.view);
    for (int i = 0; i < 30; ++i) {
        const std::string expected = i == 3 || i == 5 ? "1" : i == 16 || i == 20 ? "2" : "";
        EXPECT_EQ(rowsByName[battle.Vehicle(i).name][team_column::Platoon], expected) << i;
    }
    EXPECT_EQ(rowsByName["Player01"][team_column::Vehicle], "Т-34");
    EXPECT_EQ(rowsByName["Player02"][team_column::Vehicle], "ussr:Unknown_Tank");
    EXPECT_EQ(rowsByName["Player01"][team_column::AccountId], battle.Vehicle(0).accountId);
}

TEST_F(AnalyseClick, IdsBelongToTheRowsPlayerWhateverTheHeaderOrder) {
    // Newer clients list the header's vehicles in another order than the results.
    BattleFixture battle(30);
    battle.Vehicle(3).platoonId = "7050091";
    battle.Vehicle(5).platoonId = "7050091";
    BattleFixture reversed = battle;
    for (int i = 0; i < 30; ++i)
        reversed.Vehicle(i) = battle.Vehicle(29 - i);
    battle.SetHeader("vehicles", reversed.HeaderVehiclesJson());

    ASSERT_EQ(Analyse(battle), SingleEnd::Completed);
    const auto rows = RowsByName(harness.view);
    for (int i = 0; i < 30; ++i) {
        const auto row = rows.find(battle.Vehicle(i).name);
        ASSERT_NE(row, rows.end()) << i;
        EXPECT_EQ(row->second[team_column::AccountId], battle.Vehicle(i).accountId) << i;
        EXPECT_EQ(row->second[team_column::Platoon].empty(), i != 3 && i != 5) << i;
    }
}

TEST_F(AnalyseClick, Version811ShowsTheOldPotentialDamage) {
    BattleFixture battle(30, "0, 8, 11, 0");
    battle.SetPersonal("potentialDamageReceived", "900").SetPersonal("damageReceived", "120");
    ASSERT_EQ(Analyse(battle), SingleEnd::Completed);
    EXPECT_EQ(harness.view.labels.Text("Label_damageReceived"), "120/900");
    EXPECT_EQ(BodyRowsFilled(harness.view.alliesGrid), 15);
}

TEST_F(AnalyseClick, AMissingFileAsksAndACancelLeavesTheViewAlone) {
    ASSERT_EQ(Analyse(BattleFixture(30)), SingleEnd::Completed);

    EXPECT_EQ(harness.Analyse(folder.File("absent.wotreplay")), SingleEnd::DialogCancelled);
    EXPECT_EQ(harness.desktop.Events(), (std::vector<std::string>{"dialog", "beep 400 200"}));
    EXPECT_EQ(BodyRowsFilled(harness.view.alliesGrid), 15);
    EXPECT_EQ(harness.view.labels.Text("Label_isWinner"), "Победа");

    // A chosen file replaces the path and is analysed.
    const std::string chosen = WriteBattle(folder, BattleFixture(28), "chosen.wotreplay");
    harness.desktop.chosenFiles.push_back(chosen);
    EXPECT_EQ(harness.Analyse(""), SingleEnd::Completed);
    EXPECT_EQ(harness.view.replayPath, chosen);
    EXPECT_EQ(BodyRowsFilled(harness.view.alliesGrid), 14);
}

TEST(SingleReplayAnalyseClick, EachProtectedEndReportsAndLeavesAnEmptyView) {
    using SpoilBattle = std::function<void(BattleFixture&)>;
    using SpoilReplay = std::function<void(test::ReplayFixture&)>;
    struct Case {
        const char* name;
        SpoilBattle battle;
        SpoilReplay replay;
        SingleEnd end;
        std::string event;
        std::string versionTitle;  // what the version label shows afterwards
    };
    const std::string beep = "beep 400 200";
    const std::string title = "World of Tanks v.0.9.17.1 #388";
    const std::vector<Case> cases = {
        {"header not JSON", nullptr, [](test::ReplayFixture& r) { r.header = "{\"broken"; },
         SingleEnd::HeaderFailed, beep, ""},
        {"header without playerID", [](BattleFixture& b) { b.OmitHeaderKey("playerID"); }, nullptr,
         SingleEnd::HeaderFailed, beep, title},
        {"client 8.10",
         [](BattleFixture& b) {
             b.SetVersion("0, 8, 10, 0").SetVersionTitle("World of Tanks v.0.8.10 #520");
         },
         nullptr, SingleEnd::OldVersion, "message " + std::string(kOldVersionMessage),
         "World of Tanks v.0.8.10 #520"},
        {"battle left early", nullptr,
         [](test::ReplayFixture& r) {
             r.results.clear();
             r.vehicles.clear();
             r.frags.clear();
         },
         SingleEnd::Incomplete, beep, title},
        {"personal results without xp", [](BattleFixture& b) { b.OmitPersonalKey("xp"); }, nullptr,
         SingleEnd::ResultsFailed, beep, title},
        {"a player missing from the results",
         [](BattleFixture& b) { b.Vehicle(4).inPlayers = false; }, nullptr,
         SingleEnd::FragsOrPlayersFailed, beep, title},
        {"frags not JSON", nullptr, [](test::ReplayFixture& r) { r.frags = "{\"frags\": {"; },
         SingleEnd::FragsOrPlayersFailed, beep, title},
    };
    for (const auto& c : cases) {
        test::TempFolder folder;
        Harness harness;
        // A battle shown before, so that leftovers of it would be seen.
        ASSERT_EQ(harness.Analyse(WriteBattle(folder, BattleFixture(30))), SingleEnd::Completed);

        BattleFixture battle(30);
        if (c.battle)
            c.battle(battle);
        test::ReplayFixture replay = test::ReplayOf(battle);
        if (c.replay)
            c.replay(replay);
        const std::string path = folder.File("spoilt.wotreplay");
        test::WriteReplayFile(path, replay);

        EXPECT_EQ(harness.Analyse(path), c.end) << c.name;
        EXPECT_EQ(harness.desktop.Events(), std::vector<std::string>{c.event}) << c.name;
        EXPECT_TRUE(TablesEmpty(harness.view)) << c.name;
        EXPECT_TRUE(PanelAtZero(harness.view)) << c.name;
        EXPECT_EQ(harness.view.labels.Text("Label_replayVersionXml"), c.versionTitle) << c.name;
        for (auto label : {"Label_Map", "Label_Time", "Label_isWinner", "lb_battleType"})
            EXPECT_EQ(harness.view.labels.Text(label), "") << c.name << " " << label;
    }
}

TEST(SingleReplayAnalyseClick, AFileThatCannotBeOpenedGivesTheClosedMessage) {
    test::TempFolder folder;
    EverythingExists files;
    Harness harness(&files);
    ASSERT_EQ(harness.Analyse(WriteBattle(folder, BattleFixture(30))), SingleEnd::Completed);

    EXPECT_EQ(harness.Analyse(folder.File("held-by-the-game.wotreplay")), SingleEnd::OpenFailed);
    EXPECT_EQ(harness.desktop.Events(),
              (std::vector<std::string>{"message " + std::string(kFileClosedMessage)}));
    EXPECT_TRUE(TablesEmpty(harness.view));
    EXPECT_TRUE(PanelAtZero(harness.view));
    EXPECT_EQ(harness.view.labels.Text("Label_replayVersionXml"), "");
}

TEST(SingleReplayAnalyseClick, UnusableDataOutsideTheProtectedStepsThrows) {
    struct Case {
        const char* name;
        std::function<void(BattleFixture&)> spoil;
        bool tablesFilled;  // the failure comes after the tables were filled
    };
    const std::vector<Case> cases = {
        {"31 vehicles in the header", [](BattleFixture& b) { b.AddVehicle(2); }, false},
        {"a header vehicle without its team",
         [](BattleFixture& b) { b.Vehicle(7).omitKeys.insert("team"); }, false},
        {"a platoon id that is no number",
         [](BattleFixture& b) { b.Vehicle(2).platoonId = "\"x\""; }, false},
        {"a battle type that is no number",
         [](BattleFixture& b) { b.SetHeader("battleType", "\"x\""); }, false},
        {"a life time that is no whole number",
         [](BattleFixture& b) { b.SetPersonal("lifeTime", "12.5"); }, true},
    };
    for (const auto& c : cases) {
        test::TempFolder folder;
        BattleFixture battle(30);
        c.spoil(battle);
        Harness harness;
        EXPECT_THROW(harness.Analyse(WriteBattle(folder, battle)), KordexError) << c.name;
        EXPECT_EQ(!TablesEmpty(harness.view), c.tablesFilled) << c.name;
    }
}

TEST_F(AnalyseClick, AGoodBattleAfterAFailedOneShowsOnlyItself) {
    BattleFixture broken(30);
    broken.SetPersonal("lifeTime", "12.5").SetMap("01_karelia", "Карелия");
    EXPECT_THROW(Analyse(broken, "broken.wotreplay"), KordexError);

    BattleFixture small(10);
    small.SetWinnerTeam("2");
    ASSERT_EQ(Analyse(small), SingleEnd::Completed);
    EXPECT_EQ(BodyRowsFilled(harness.view.alliesGrid), 5);
    EXPECT_EQ(BodyRowsFilled(harness.view.enemiesGrid), 5);
    EXPECT_EQ(harness.view.labels.Text("Label_Map"), "Ensk, обычный");
    EXPECT_EQ(harness.view.labels.Text("Label_isWinner"), "Поражение");
    EXPECT_EQ(harness.view.labels.Text("Label_lifetime_duration"), "6м 38c / 6м 38c");
}

TEST_F(AnalyseClick, AnUnknownModeLeavesTheMapLabelEmpty) {
    BattleFixture battle(30);
    battle.SetGameplay("fallout");
    ASSERT_EQ(Analyse(battle), SingleEnd::Completed);
    EXPECT_EQ(harness.view.labels.Text("Label_Map"), "");
}

}  // namespace
}  // namespace kordex
