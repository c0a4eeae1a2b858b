#include "series/series_run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <functional>

#include "export/battle_log.h"
#include "export/export_file.h"
#include "export/html_export.h"
#include "platform/headless_desktop.h"
#include "platform/kordex_error.h"
#include "platform/std_file_system.h"
#include "series/series_links.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/file_bytes.h"
#include "support/headless_series.h"
#include "support/replay_fixture.h"
#include "support/test_paths.h"
#include "window/window_tables.h"

namespace kordex {
namespace {

namespace fs = std::filesystem;
using test::BattleFixture;
using test::ReadFileBytes;
using test::WriteBattleReplay;
using test::WriteBytesFile;

// A clock that advances a quarter of a second at every reading.
class StepClock : public Clock {
  public:
    double Seconds() override { return seconds_ += 0.25; }
    LocalDateTime Now() override { return {2017, 5, 27, 21, 4, 33}; }

  private:
    double seconds_ = 0;
};

// A battle log that records what the run hands it.
class RecordingLog : public SeriesBattleLog {
  public:
    void Begin() override { calls.push_back("begin"); }
    void AddBattle(const std::string& dateTime, const std::string& mapText,
                   const std::string& outcome, const VehicleTable& vehicles) override {
        calls.push_back(dateTime + "|" + mapText + "|" + outcome);
        lastVehicles = vehicles;
    }
    void Finish(const LocalDateTime& stamp) override {
        calls.push_back("finish " + FileTimeStamp(stamp));
    }
    std::vector<std::string> calls;
    VehicleTable lastVehicles;
};

void WriteTexts(const std::string& path, const test::BattleJsonTexts& texts) {
    test::WriteReplayFile(path, test::ReplayOf(texts));
}

// A series whose clock steps a quarter second with every reading of it.
struct Series : test::HeadlessSeries {
    Series() { clock = &stepClock; }
    StepClock stepClock;
};

// A company battle of 7 against 7; the recorder (vehicle 0) is in team 1.
BattleFixture Company(const std::string& dateTime) {
    BattleFixture battle(14);
    battle.SetDateTime(dateTime).SetMap("06_ensk", "Энск").SetGameplay("ctf");
    return battle;
}

// Battles on the European server lead the series' links to the European portal: the name
// double-click, the exported page and the battle log.
TEST(SeriesRegion, TheLinksGoToThePortalOfTheBattlesServer) {
    test::TempFolder folder;
    BattleFixture battle = Company("27.05.2017 21:04:33");
    // Older clients wrote no region code: the server's name tells.
    battle.SetHeader("regionCode", "\"\"").SetHeader("serverName", "\"WOT EU2\"");
    WriteBattleReplay(folder.File("eu.wotreplay"), battle);
    Series series;
    HtmlBattleLog log{folder.Path()};
    ASSERT_TRUE(series.Run({folder.File("eu.wotreplay")}, &log).started);

    EXPECT_EQ(series.tables.portalRegion, PortalRegion::Eu);
    const SeriesCellLink link =
        SeriesTableLink(series.tables.SeriesGridExp, series.session.lb_ReplaysList, 0,
                        kSeriesStartRow, series.tables.portalRegion);
    EXPECT_TRUE(link.target.starts_with("http://worldoftanks.eu/community/accounts/#wot"))
        << link.target;
    auto holds = [](const PageLines& lines, std::string_view text) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        });
    };
    const PageLines page = SeriesPageLines(series.tables);
    EXPECT_TRUE(holds(page, "http://worldoftanks.eu/community/accounts/#wot&at_search="));
    EXPECT_FALSE(holds(page, "worldoftanks.ru"));
    const std::string saved = ReadFileBytes(log.SavedPath());
    EXPECT_NE(saved.find("http://worldoftanks.eu/community/accounts/"), std::string::npos);
    EXPECT_EQ(saved.find("worldoftanks.ru"), std::string::npos);
}

// An evening of three battles: a newcomer replaces Player04 in the second, Player02 comes back
// in other letter case in the third, Player01 changes from a T-34-85 to a T-34.
class Evening : public ::testing::Test {
  protected:
    void SetUp() override {
        BattleFixture first = Company("27.05.2017 21:04:33");
        first.Vehicle(0).vehicleType = "ussr:T-34-85";
        WriteBattleReplay(folder.File("a.wotreplay"), first);

        BattleFixture second = Company("27.05.2017 21:20:10");
        second.Vehicle(3).name = "Newcomer";
        second.SetGameplay("assault").SetWinnerTeam("2");
        WriteBattleReplay(folder.File("b.wotreplay"), second);

        BattleFixture third = Company("28.05.2017 19:00:00");
        third.Vehicle(1).name = "player02";
        third.SetGameplay("domination").SetWinnerTeam("0");
        WriteBattleReplay(folder.File("c.wotreplay"), third);
    }
    std::vector<std::string> Paths() const {
        return {folder.File("c.wotreplay"), folder.File("a.wotreplay"), folder.File("b.wotreplay")};
    }

    test::TempFolder folder;
    Series series;
};

TEST_F(Evening, BuildsOneRowPerPlayerWithBattleColumnsTotalsAndSummary) {
    const SeriesRunResult result = series.Run(Paths());
    ASSERT_TRUE(result.started);
    ASSERT_EQ(result.replays.size(), 3u);
    for (const ReplayOutcome& replay : result.replays)
        EXPECT_EQ(replay.kind, ReplayClass::Complete) << replay.path << ": " << replay.description;

    const TextGrid& exp = series.tables.SeriesGridExp;
    ASSERT_EQ(exp.ColumnCount(), 7);
    ASSERT_EQ(exp.RowCount(), 3 + 8);  // seven players and the newcomer
    EXPECT_EQ(exp.Row(0), (std::vector<std::string>{"Дата", "", "27.05.2017;21:04", ";21:20",
                                                    "28.05.2017;19:00", "Суммарно", "В среднем"}));
    EXPECT_EQ(exp.Row(1), (std::vector<std::string>{"Карта", "", "Энск", "Энск, штурм",
                                                    "Энск, встр.", "Нажать для сортировки", ""}));
    EXPECT_EQ(exp.Row(2), (std::vector<std::string>{"Ник\\Опыт", "Техника", "Победа", "Поражение",
                                                    "Ничья", "Боев: 3, побед: 1", "1/1/1  33%"}));
    // Recorder: lowest experience of the side (300), destroyed; a vehicle list in first-use order.
    EXPECT_EQ(exp.Row(3), (std::vector<std::string>{"Player01", "Т-34-85, Т-34", "300;-1;false",
                                                    "300;-1;false", "300;-1;false", "900", "300"}));
    EXPECT_EQ(exp.Cell(0, 4), "Player02");
    EXPECT_EQ(exp.Cell(4, 4), "317;0;true");
    // Player04 missed the second battle; the newcomer played only that one.
    EXPECT_EQ(exp.Row(6), (std::vector<std::string>{"Player04", "AMX 13 90", "351;0;false", "",
                                                    "351;0;false", "702", "351"}));
    EXPECT_EQ(exp.Row(10), (std::vector<std::string>{"Newcomer", "AMX 13 90", "", "351;0;false", "",
                                                     "351", "351"}));
    EXPECT_EQ(exp.Cell(2, 9), "402;+1;false");

    // The same player in the same row of every grid, the support line copied, shots without.
    for (const TextGrid* grid : series.tables.SeriesGrids()) {
        for (int row = kSeriesStartRow; row < exp.RowCount(); ++row)
            EXPECT_EQ(grid->Cell(0, row), exp.Cell(0, row));
        EXPECT_EQ(grid->Cell(4, 1), "Энск, встр.");
    }
    EXPECT_EQ(series.tables.SeriesGridSupport.Cell(5, 2), "Боев: 3, побед: 1");
    EXPECT_TRUE(series.tables.SeriesGridShots.Cell(5, 2).empty());
    EXPECT_EQ(series.tables.SeriesGridShots.Cell(2, 3), "5 - 2/3 (0);0;false");

    const TextGrid& summary = series.tables.SeriesGridSummary;
    ASSERT_EQ(summary.RowCount(), exp.RowCount());
    EXPECT_EQ(summary.Row(1),
              (std::vector<std::string>{"Player01", "900", "0", "1500", "0 / 0", "300", "0", "500",
                                        "0 / 0", "3", "1", "33"}));
    EXPECT_EQ(summary.Cell(0, 8), "Newcomer");
    EXPECT_EQ(summary.Cell(9, 8), "1");  // the newcomer came to the lost battle only
    EXPECT_EQ(summary.Cell(11, 8), "0");
    EXPECT_EQ(summary.Row(9), std::vector<std::string>(12));

    EXPECT_EQ(series.labels.Text("Label_replayVersionXml"), "World of Tanks v.0.9.17.1 #388");
    EXPECT_EQ(result.statusText.rfind("Время выполнения: ", 0), 0u);
    EXPECT_EQ(series.desktop.PendingEventCalls(), 1);
    EXPECT_TRUE(series.desktop.Events().empty());
    EXPECT_FALSE(series.session.runInProgress);
}

TEST_F(Evening, PutsTotalsInFrontWithTheBattlesInTheirOrder) {
    series.options.multiToBegin = true;
    series.Run(Paths());
    const TextGrid& damage = series.tables.SeriesGridDamage;
    EXPECT_EQ(damage.Row(0),
              (std::vector<std::string>{"Дата", "", "Суммарно", "В среднем", "27.05.2017;21:04",
                                        ";21:20", "28.05.2017;19:00"}));
    EXPECT_EQ(damage.Row(3)[2], "1500");
    EXPECT_EQ(series.tables.SeriesGridSummary.Cell(3, 1), "1500");
    EXPECT_EQ(BattleReplayIndex(damage, series.session.lb_ReplaysList, 4), 0);
    EXPECT_EQ(series.session.lb_ReplaysList.At(0), folder.File("a.wotreplay"));
}

TEST_F(Evening, GroupsRowsByBattle) {
    series.options.multiGroupPlayers = true;
    series.Run(Paths());
    const TextGrid& exp = series.tables.SeriesGridExp;
    ASSERT_EQ(exp.RowCount(), 3 + 21);
    EXPECT_EQ(exp.Cell(0, 3), "Player01");
    EXPECT_EQ(exp.Cell(0, 10), "Player01");
    EXPECT_EQ(exp.Row(10)[2], "");
    EXPECT_EQ(exp.Row(10)[3], "300;-1;false");
    EXPECT_EQ(exp.Row(10)[6], "300");
}

TEST_F(Evening, CollectsTheAuthorsStatistics) {
    series.options.multiAdditional = true;
    series.Run(Paths());
    EXPECT_EQ(series.labels.Text("Label_m_battles"), "1/3  (33,33%)");
    EXPECT_EQ(series.labels.Text("Label_m_exp"), "900 / 300");
    EXPECT_EQ(series.labels.Text("Label_m_duration"), "1194");
}

TEST_F(Evening, HandsCompleteBattlesToTheBattleLog) {
    RecordingLog log;
    series.Run(Paths(), &log);
    ASSERT_EQ(log.calls.size(), 5u);
    EXPECT_EQ(log.calls[0], "begin");
    EXPECT_EQ(log.calls[1], "27.05.2017 21:04:33|Энск|Победа");
    EXPECT_EQ(log.calls[3], "28.05.2017 19:00:00|Энск, встр.|Ничья");
    EXPECT_EQ(log.calls[4], "finish 2017.05.27 21.04.33");
    // Display names, the side in field 6 and numbers without markers.
    EXPECT_EQ(log.lastVehicles[0][vehicle_field::Type], "Т-34");
    EXPECT_EQ(log.lastVehicles[0][vehicle_field::Team], "1");
    EXPECT_EQ(log.lastVehicles[13][vehicle_field::Team], "0");
    EXPECT_EQ(log.lastVehicles[0][vehicle_field::Xp], "300");
}

// Later clients list the header's vehicles in another order than the battle results; the ids
// each row gets from "players" are those of the player whose results stand in that row.
TEST(SeriesAnalysis, PlayerIdsBelongToTheRowsPlayerWhateverTheHeaderOrder) {
    test::TempFolder folder;
    BattleFixture battle = Company("27.05.2017 21:04:33");
    BattleFixture reversed = battle;
    const int count = battle.VehicleCount();
    for (int i = 0; i < count; ++i)
        reversed.Vehicle(i) = battle.Vehicle(count - 1 - i);
    battle.SetHeader("vehicles", reversed.HeaderVehiclesJson());
    WriteBattleReplay(folder.File("x.wotreplay"), battle);

    Series series;
    RecordingLog log;
    const SeriesRunResult result = series.Run({folder.File("x.wotreplay")}, &log);
    ASSERT_EQ(result.replays[0].kind, ReplayClass::Complete) << result.replays[0].description;
    namespace vf = vehicle_field;
    int checked = 0;
    for (const VehicleRow& row : log.lastVehicles) {
        if (row[vf::Name].empty())
            continue;
        for (int i = 0; i < count; ++i) {
            if (battle.Vehicle(i).name != row[vf::Name])
                continue;
            EXPECT_EQ(row[vf::AccountId], battle.Vehicle(i).accountId) << row[vf::Name];
            EXPECT_EQ(row[vf::Xp], battle.Vehicle(i).xp) << row[vf::Name];
            ++checked;
        }
    }
    EXPECT_EQ(checked, count);
}

// A log whose page cannot take the second battle.
class FailingLog : public RecordingLog {
  public:
    void AddBattle(const std::string& dateTime, const std::string& mapText,
                   const std::string& outcome, const VehicleTable& vehicles) override {
        if (mapText == "Энск, штурм")
            throw KordexError("the log cannot take this battle");
        RecordingLog::AddBattle(dateTime, mapText, outcome, vehicles);
    }
};

TEST_F(Evening, AFaultInOneReplayMarksItAndTheRunGoesOn) {
    FailingLog log;
    const SeriesRunResult result = series.Run(Paths(), &log);
    EXPECT_EQ(result.replays[1].kind, ReplayClass::Failure);
    EXPECT_EQ(result.replays[1].description, "the log cannot take this battle");
    EXPECT_EQ(series.tables.SeriesGridExp.Cell(3, 2), "Сбой");
    EXPECT_EQ(series.tables.SeriesGridExp.Cell(4, 2), "Ничья");
    EXPECT_EQ(series.tables.SeriesGridExp.Cell(5, 2), "Боев: 2, побед: 1");
    EXPECT_TRUE(fs::exists(test::PathOf(folder.File("b.wotreplay"))));
}

TEST_F(Evening, ASecondRunWithFewerReplaysLeavesNothingOfTheFirst) {
    series.options.multiAdditional = true;
    series.Run(Paths());
    series.options.multiAdditional = false;
    series.Run({folder.File("b.wotreplay")});

    Series fresh;
    fresh.Run({folder.File("b.wotreplay")});
    for (std::size_t g = 0; g < 5; ++g) {
        const TextGrid& again = *series.tables.SeriesGrids()[g];
        const TextGrid& once = *fresh.tables.SeriesGrids()[g];
        ASSERT_EQ(again.RowCount(), once.RowCount());
        for (int row = 0; row < once.RowCount(); ++row)
            EXPECT_EQ(again.Row(row), once.Row(row)) << g << ":" << row;
    }
    for (int row = 0; row < fresh.tables.SeriesGridSummary.RowCount(); ++row)
        EXPECT_EQ(series.tables.SeriesGridSummary.Row(row),
                  fresh.tables.SeriesGridSummary.Row(row));
    EXPECT_EQ(series.labels.Text("Label_m_battles"), "0");
}

TEST(RunSeries, AnEmptyRunListShowsTheMessageAndChangesNothing) {
    Series series;
    series.tables.SeriesGridExp.SetCell(3, 3, "kept");
    const SeriesRunResult result = series.Run({});
    EXPECT_FALSE(result.started);
    EXPECT_EQ(series.desktop.Events(),
              std::vector<std::string>{"message Перетащите реплеи в окно программы."});
    EXPECT_EQ(series.tables.SeriesGridExp.Cell(3, 3), "kept");
}

TEST(RunSeries, ASecondStartDuringARunIsRefused) {
    Series series;
    series.session.runInProgress = true;
    EXPECT_FALSE(series.Run({"/nowhere/a.wotreplay"}).started);
    EXPECT_TRUE(series.desktop.Events().empty());
}

TEST(RunSeries, LetsTheWindowHandleEventsAfterEveryThirdReplay) {
    test::TempFolder folder;
    std::vector<std::string> paths;
    for (int i = 0; i < 7; ++i)
        paths.push_back(folder.File("missing" + std::to_string(i)));
    Series series;
    series.options.moveUnusable = false;
    const SeriesRunResult result = series.Run(paths);
    EXPECT_EQ(series.desktop.PendingEventCalls(), 3);  // after replays 0, 3 and 6
    // Every replay failed: the totals still come, the grids keep their header rows only.
    for (const TextGrid* grid : series.tables.SeriesGrids()) {
        EXPECT_EQ(grid->RowCount(), 3);
        EXPECT_EQ(grid->ColumnCount(), 7 + 4);
    }
    EXPECT_EQ(series.tables.SeriesGridExp.Cell(9, 2), "Боев: 0, побед: 0");
    EXPECT_EQ(result.elapsedSeconds, 0.25);
    EXPECT_EQ(result.statusText, "Время выполнения: 0,2500 сек.");
}

// Unusable replays: the word in their column, the early header or none, and the subfolder.
struct UnusableCase {
    const char* name;
    std::function<void(const std::string& path)> write;
    const char* word;
    bool earlyHeader;
    const char* subfolder;  // empty: the file stays
};

std::vector<UnusableCase> UnusableCases() {
    auto battle = [] { return Company("27.05.2017 21:04:33"); };
    return {
        {"not a replay", [](auto& p) { WriteBytesFile(p, "no replay here\n"); }, "Ошибка", false,
         "_Старые версии"},
        {"client 8.10", [&](auto& p) { WriteBattleReplay(p, battle().SetVersion("0.8.10.0")); },
         "Старая версия", true, "_Старые версии"},
        {"client 8.9", [&](auto& p) { WriteBattleReplay(p, battle().SetVersion("0.8.9.0")); },
         "Старая версия", true, "_Старые версии"},
        {"header vehicles no object",
         [&](auto& p) { WriteBattleReplay(p, battle().SetHeader("vehicles", "[1, 2]")); }, "Ошибка",
         true, "_Старые версии"},
        {"left early", [&](auto& p) { test::WriteLeftEarlyReplay(p, battle()); }, "Вышел", true,
         "_Недосмотренные"},
        {"results without a personal key",
         [&](auto& p) {
             WriteBattleReplay(p, battle().OmitPersonalKey("noDamageDirectHitsReceived"));
         },
         "Вышел", true, "_Недосмотренные"},
        {"frags block cut off",
         [&](auto& p) {
             test::ReplayFixture replay = test::ReplayOf(battle());
             replay.frags.pop_back();
             replay.binaryRest = "";
             test::WriteReplayFile(p, replay);
         },
         "Вышел", true, "_Недосмотренные"},
        // Faults the classification does not name: the replay is marked and stays.
        {"player missing from the players",
         [&](auto& p) {
             auto b = battle();
             b.Vehicle(2).inPlayers = false;
             WriteBattleReplay(p, b);
         },
         "Сбой", true, ""},
        {"sixteen in the recorder's team",
         [](auto& p) {
             BattleFixture b(30);
             b.SetDateTime("27.05.2017 21:04:33").SetMap("06_ensk", "Энск");
             b.Vehicle(15).team = 1;
             WriteBattleReplay(p, b);
         },
         "Сбой", true, ""},
        {"31 members in the frags block",
         [](auto& p) {
             auto texts = Company("27.05.2017 21:04:33").Texts();
             texts.frags = BattleFixture(31).FragsJson();
             WriteTexts(p, texts);
         },
         "Сбой", true, ""},
        {"31 members in the vehicles block",
         [](auto& p) {
             auto texts = Company("27.05.2017 21:04:33").Texts();
             texts.vehicles = BattleFixture(31).VehiclesJson();
             WriteTexts(p, texts);
         },
         "Сбой", true, ""},
    };
}

TEST(SeriesAnalysis, ClassifiesAndMovesUnusableReplays) {
    for (const UnusableCase& c : UnusableCases()) {
        test::TempFolder folder;
        const std::string path = folder.File("x.wotreplay");
        c.write(path);
        Series series;
        const SeriesRunResult result = series.Run({path});
        ASSERT_EQ(result.replays.size(), 1u) << c.name;
        const ReplayOutcome& replay = result.replays[0];
        const std::string subfolder = c.subfolder;
        for (const TextGrid* grid : series.tables.SeriesGrids()) {
            EXPECT_EQ(grid->Cell(2, 2), c.word) << c.name;
            EXPECT_EQ(grid->Cell(2, 0).empty(), !c.earlyHeader) << c.name;
            if (c.earlyHeader) {
                EXPECT_EQ(grid->Cell(2, 0), "27.05.2017;21:04") << c.name;
            }
            EXPECT_EQ(grid->RowCount(), 3) << c.name;
        }
        if (c.earlyHeader && std::string(c.word) != "Старая версия") {
            EXPECT_EQ(series.tables.SeriesGridExp.Cell(2, 1), "06_ensk09171") << c.name;
        }
        if (subfolder.empty()) {
            EXPECT_EQ(replay.kind, ReplayClass::Failure) << c.name;
            EXPECT_FALSE(replay.description.empty()) << c.name;
            EXPECT_TRUE(fs::exists(test::PathOf(path))) << c.name;
            EXPECT_EQ(test::FolderEntries(folder.Path()), std::vector<std::string>{"x.wotreplay"})
                << c.name;
        } else {
            EXPECT_TRUE(replay.move.moved) << c.name << ": " << replay.move.failure;
            EXPECT_FALSE(fs::exists(test::PathOf(path))) << c.name;
            EXPECT_TRUE(fs::exists(test::PathOf(folder.Path() + "/" + subfolder + "/x.wotreplay")))
                << c.name;
        }
    }
}

// A replay of a battle its recorder left early, alone in its folder.
class LeftEarly : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteLeftEarlyReplay(path, Company("27.05.2017 21:04:33"));
        before = ReadFileBytes(path);
    }

    test::TempFolder folder;
    const std::string path = folder.File("x.wotreplay");
    std::string before;
    Series series;
};

TEST_F(LeftEarly, StaysInPlaceWhenMovingIsOff) {
    series.options.moveUnusable = false;
    const SeriesRunResult result = series.Run({path});
    EXPECT_EQ(result.replays[0].word, "Вышел");
    EXPECT_EQ(result.replays[0].move.subfolder, "_Недосмотренные");
    EXPECT_FALSE(result.replays[0].move.attempted);
    EXPECT_EQ(test::FolderEntries(folder.Path()), std::vector<std::string>{"x.wotreplay"});
}

TEST_F(LeftEarly, NeverReplacesAFileAlreadyInTheSubfolder) {
    fs::create_directories(test::PathOf(folder.Path() + "/_Недосмотренные"));
    const std::string earlier = folder.Path() + "/_Недосмотренные/x.wotreplay";
    WriteBytesFile(earlier, "an earlier replay of that name");

    const SeriesRunResult result = series.Run({path});
    EXPECT_EQ(series.tables.SeriesGridExp.Cell(2, 2), "Вышел");
    EXPECT_TRUE(result.replays[0].move.attempted);
    EXPECT_FALSE(result.replays[0].move.moved);
    EXPECT_NE(result.replays[0].move.failure.find("already"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(ReadFileBytes(earlier), "an earlier replay of that name");
}

TEST_F(LeftEarly, AMoveThatCannotMakeItsFolderLeavesTheFileAndSaysWhy) {
    // A file holds the subfolder's name.
    WriteBytesFile(folder.File("_Недосмотренные"), "not a folder");

    const SeriesRunResult result = series.Run({path});
    EXPECT_EQ(series.tables.SeriesGridExp.Cell(2, 2), "Вышел");
    EXPECT_FALSE(result.replays[0].move.moved);
    EXPECT_NE(result.replays[0].move.failure.find("cannot be created"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(ReadFileBytes(folder.File("_Недосмотренные")), "not a folder");
}

TEST(SeriesAnalysis, AFileThatCannotBeOpenedIsMarkedAndNothingIsCreated) {
    test::TempFolder folder;
    Series series;
    const SeriesRunResult result = series.Run({folder.File("gone.wotreplay")});
    EXPECT_EQ(series.tables.SeriesGridExp.Cell(2, 2), "Ошибка чтения");
    EXPECT_TRUE(series.tables.SeriesGridExp.Cell(2, 0).empty());
    EXPECT_EQ(result.replays[0].move.subfolder, "_Ошибки чтения");
    EXPECT_FALSE(result.replays[0].move.moved);
    EXPECT_FALSE(fs::exists(test::PathOf(folder.Path() + "/_Ошибки чтения")));
}

TEST(SeriesAnalysis, AnUnreadableAuthorValueMarksTheBattleOnlyWhileCollecting) {
    test::TempFolder folder;
    BattleFixture battle = Company("27.05.2017 21:04:33");
    battle.SetPersonal("mileage", "12.5");
    WriteBattleReplay(folder.File("x.wotreplay"), battle);
    WriteBattleReplay(folder.File("y.wotreplay"), Company("27.05.2017 22:00:00"));

    Series collecting;
    collecting.options.multiAdditional = true;
    collecting.Run({folder.File("x.wotreplay"), folder.File("y.wotreplay")});
    EXPECT_EQ(collecting.tables.SeriesGridExp.Cell(2, 2), "Сбой");
    // The run went on; the date of the marked replay did not count as the day's first.
    EXPECT_EQ(collecting.tables.SeriesGridExp.Cell(3, 2), "Победа");
    EXPECT_EQ(collecting.tables.SeriesGridExp.Cell(3, 0), "27.05.2017;22:00");
    EXPECT_EQ(collecting.labels.Text("Label_m_battles"), "1/1  (100%)");
    EXPECT_TRUE(fs::exists(test::PathOf(folder.File("x.wotreplay"))));

    Series plain;
    plain.Run({folder.File("x.wotreplay")});
    EXPECT_EQ(plain.tables.SeriesGridExp.Cell(2, 2), "Победа");
}

// Clan members send their replays of one battle: the same file under another name, and the
// replay of another player of the same side, are shown as "Повтор" and counted nowhere; the
// replay of a player of the other side is that side's battle and counts.
TEST_F(Evening, RepeatsOfABattleAreShownAndCountedNowhere) {
    test::WriteBytesFile(folder.File("d copy.wotreplay"),
                         test::ReadFileBytes(folder.File("a.wotreplay")));
    BattleFixture teammate = Company("27.05.2017 21:04:33");
    teammate.Vehicle(0).vehicleType = "ussr:T-34-85";
    teammate.SetRecorder(1);
    WriteBattleReplay(folder.File("e teammate.wotreplay"), teammate);
    BattleFixture opponent = Company("27.05.2017 21:04:33");
    opponent.SetRecorder(7);
    WriteBattleReplay(folder.File("f opponent.wotreplay"), opponent);

    Series once;
    once.options.multiAdditional = true;
    RecordingLog onceLog;
    once.Run(Paths(), &onceLog);

    series.options.multiAdditional = true;
    RecordingLog log;
    std::vector<std::string> paths = Paths();
    for (const char* name : {"d copy.wotreplay", "e teammate.wotreplay", "f opponent.wotreplay"})
        paths.push_back(folder.File(name));
    const SeriesRunResult result = series.Run(paths, &log);

    // In list order: a, b, c, then the copy, the teammate's and the opponent's replays.
    const TextGrid& exp = series.tables.SeriesGridExp;
    ASSERT_EQ(result.replays.size(), 6u);
    for (int i : {3, 4}) {
        EXPECT_EQ(result.replays[static_cast<std::size_t>(i)].kind, ReplayClass::Repeat)
            << result.replays[static_cast<std::size_t>(i)].path;
        const int column = i + 2;
        EXPECT_EQ(exp.Cell(column, 0), i == 3 ? "27.05.2017;21:04" : ";21:04");
        EXPECT_EQ(exp.Cell(column, 1), "Энск");
        for (const TextGrid* grid : series.tables.SeriesGrids()) {
            EXPECT_EQ(grid->Cell(column, 2), "Повтор");
            for (int row = kSeriesStartRow; row < grid->RowCount(); ++row)
                EXPECT_TRUE(grid->Cell(column, row).empty()) << i << ":" << row;
        }
    }
    EXPECT_EQ(result.replays[5].kind, ReplayClass::Complete);
    EXPECT_EQ(exp.Cell(7, 2), "Поражение");  // the same battle seen from the losing side
    // Nothing moved, the repeats counted in the status line.
    for (const ReplayOutcome& replay : result.replays)
        EXPECT_FALSE(replay.move.attempted) << replay.path;
    EXPECT_TRUE(fs::exists(test::PathOf(folder.File("d copy.wotreplay"))));
    EXPECT_NE(result.statusText.find(" сек. Пропущено повторов: 2"), std::string::npos)
        << result.statusText;

    // Our side's rows, totals, averages and summary are those of the run without the copies;
    // the opponent's side adds its own rows below.
    const int total = exp.ColumnCount() - 2;
    const TextGrid& onceExp = once.tables.SeriesGridExp;
    const int onceTotal = onceExp.ColumnCount() - 2;
    EXPECT_EQ(exp.Cell(total, 2), "Боев: 4, побед: 1");
    for (std::size_t g = 0; g < 5; ++g) {
        const TextGrid& grid = *series.tables.SeriesGrids()[g];
        const TextGrid& onceGrid = *once.tables.SeriesGrids()[g];
        for (int row = kSeriesStartRow; row < onceGrid.RowCount(); ++row) {
            EXPECT_EQ(grid.Cell(0, row), onceGrid.Cell(0, row));
            EXPECT_EQ(grid.Cell(total, row), onceGrid.Cell(onceTotal, row)) << g << ":" << row;
            EXPECT_EQ(grid.Cell(total + 1, row), onceGrid.Cell(onceTotal + 1, row))
                << g << ":" << row;
        }
    }
    for (int row = 1; row < once.tables.SeriesGridSummary.RowCount() - 2; ++row)
        EXPECT_EQ(series.tables.SeriesGridSummary.Row(row), once.tables.SeriesGridSummary.Row(row));
    // The author's statistics and the battle log hold the opponent's battle besides.
    EXPECT_EQ(series.labels.Text("Label_m_battles"), "1/4  (25%)");
    EXPECT_EQ(log.calls.size(), onceLog.calls.size() + 1);
}

TEST(SeriesAnalysis, BattlesWithoutAnIdAreNeverRepeats) {
    test::TempFolder folder;
    BattleFixture battle = Company("27.05.2017 21:04:33");
    battle.SetArenaUniqueID("\"\"");
    WriteBattleReplay(folder.File("x.wotreplay"), battle);
    WriteBattleReplay(folder.File("y.wotreplay"), battle);
    Series series;
    const SeriesRunResult result =
        series.Run({folder.File("x.wotreplay"), folder.File("y.wotreplay")});
    EXPECT_EQ(result.replays[1].kind, ReplayClass::Complete);
    EXPECT_EQ(result.statusText.find("Пропущено"), std::string::npos);
}

TEST_F(LeftEarly, TheBattleLogIsSavedUnderTheTimeStampEvenWithoutABattle) {
    test::TempFolder program;
    series.options.moveUnusable = false;
    HtmlBattleLog log(program.Path());
    series.Run({path}, &log);
    EXPECT_EQ(fs::path(log.SavedPath()).filename().string(), "ExportAll_2017.05.27 21.04.33.htm");
    const std::string page = ReadFileBytes(log.SavedPath());
    EXPECT_EQ(page.rfind("<html>\r\n", 0), 0u);
    EXPECT_NE(page.find("</body>\r\n</html>"), std::string::npos);
    EXPECT_EQ(page.find("<table"), std::string::npos);
}

// A battle of a client after 9.17.1 is never "Вышел" or "Старая версия": one whose results no
// layout reads has its own word and stays where it is; one writing "0.0.0.0" is counted.
TEST(SeriesAnalysis, ClientsAfter917AreClassifiedTruthfully) {
    test::TempFolder folder;
    BattleFixture unreadable = Company("27.05.2017 21:04:33");
    unreadable.SetVersion("1.9.0.0").SetVersionTitle("World of Tanks v.1.9.0.1 #287");
    unreadable.OmitPersonalKey("premiumCreditsFactor10");
    WriteBattleReplay(folder.File("a.wotreplay"), unreadable);
    BattleFixture zeros = Company("27.05.2017 21:20:10");
    zeros.SetVersion("1.13.0.0").SetVersionTitle("World of Tanks v.1.13.0.1 #901");
    zeros.SetHeader("clientVersionFromExe", test::JsonString("0.0.0.0"));
    zeros.OmitPersonalKey("premiumCreditsFactor10").OmitPersonalKey("premiumXPFactor10");
    zeros.SetPersonal("premiumCreditsFactor100", "100").SetPersonal("premiumXPFactor100", "100");
    WriteBattleReplay(folder.File("b.wotreplay"), zeros);

    Series series;
    const SeriesRunResult result =
        series.Run({folder.File("a.wotreplay"), folder.File("b.wotreplay")});
    ASSERT_EQ(result.replays.size(), 2u);
    EXPECT_EQ(result.replays[0].kind, ReplayClass::Unreadable);
    EXPECT_EQ(series.tables.SeriesGridExp.Cell(2, 2), "Не читается");
    EXPECT_FALSE(result.replays[0].move.attempted);
    EXPECT_TRUE(fs::exists(test::PathOf(folder.File("a.wotreplay"))));
    EXPECT_EQ(result.replays[1].kind, ReplayClass::Complete) << result.replays[1].description;
    EXPECT_EQ(series.tables.SeriesGridExp.Cell(3, 2), "Победа");
    EXPECT_TRUE(fs::exists(test::PathOf(folder.File("b.wotreplay"))));
}

}  // namespace
}  // namespace kordex
