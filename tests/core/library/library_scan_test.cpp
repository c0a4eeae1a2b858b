#include "library/library_scan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>

#include "library/library_row.h"
#include "platform/headless_desktop.h"
#include "platform/kordex_error.h"
#include "support/battle_replay.h"
#include "support/library_row_read.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

namespace col = library_column;
using test::BattleFixture;

// A battle the library shows as a normal row; tests change what they look at.
BattleFixture LibraryBattle(const std::string& version = "0, 9, 15, 0") {
    BattleFixture battle(6, version);
    battle.SetDateTime("27.05.2017 21:04:33").SetMap("02_malinovka", "Малиновка");
    battle.SetHeader("playerVehicle", test::JsonString("ussr-T-34"));
    return battle;
}

// The row of the replay written into a file; its path cell reads "PATH".
test::LibraryRowRead RowOf(const test::ReplayFixture& replay, const IniFile& ini = IniFile()) {
    test::TempFolder folder;
    const std::string path = folder.File("r.wotreplay");
    test::WriteReplayFile(path, replay);
    test::LibraryRowRead row = test::ReadLibraryRow(path, ini);
    EXPECT_EQ(row.cells[col::Path], path);
    row.cells[col::Path] = "PATH";
    return row;
}

test::LibraryRowRead RowOf(const BattleFixture& battle, const IniFile& ini = IniFile()) {
    return RowOf(test::ReplayOf(battle), ini);
}

TEST(ReplayToLibraryRow, FillsANormalRowFromHeaderAndPersonalResults) {
    BattleFixture battle = LibraryBattle();
    battle.SetBattleType(6).SetGameplay("domination").SetWinnerTeam("1");
    battle.SetPersonal("markOfMastery", "4").SetPersonal("xp", "1234");
    battle.SetPersonal("originalCredits", "800").SetPersonal("creditsContributionIn", "0");
    battle.SetPersonal("creditsContributionOut", "100").SetPersonal("autoRepairCost", "250");
    battle.SetPersonal("autoEquipCost", "[0,0]").SetPersonal("autoLoadCost", "[300,0]");
    battle.SetPersonal("premiumCreditsFactor10", "15");
    const auto ini = IniFile::FromText("[ussr]\nT-34=Т-34\n");

    const auto row = RowOf(battle, ini);
    ASSERT_EQ(row.kind, LibraryRowKind::Normal);
    EXPECT_EQ(row.cells[col::Time], "2017.05.27 21:04:33");
    EXPECT_EQ(row.cells[col::Map], "Малиновка");
    EXPECT_EQ(row.cells[col::Vehicle], "Т-34");
    EXPECT_EQ(row.cells[col::BattleType], "Боев.О.");
    EXPECT_EQ(row.cells[col::Mode], "Встреч.");
    EXPECT_EQ(row.cells[col::Outcome], "Победа");
    EXPECT_EQ(row.cells[col::Survived], "Да");
    EXPECT_EQ(row.cells[col::Mastery], "M");
    EXPECT_EQ(row.cells[col::Xp], "1234");
    EXPECT_EQ(row.cells[col::AmmoCost], "300");
    EXPECT_EQ(row.cells[col::EquipmentCost], "0");
    EXPECT_EQ(row.cells[col::NetProfit], "500");
}

TEST(ReplayToLibraryRow, WordsForOutcomeModeMasteryAndSurvival) {
    struct Case {
        std::string winner, gameplay, mastery, health;
        std::string outcome, mode, badge, survived;
    };
    const Case cases[] = {
        {"0", "ctf", "0", "0", "Ничья", "", "", ""},
        {"2", "assault2", "1", "1", "Поражение", "assault2", "3", "Да"},
        {"1", "nations", "3", "5", "Победа", "Против.", "1", "Да"},
        {"1", "assault", "7", "0", "Победа", "Штурм", "7", ""},
    };
    for (const auto& c : cases) {
        BattleFixture battle = LibraryBattle();
        battle.SetWinnerTeam(c.winner).SetGameplay(c.gameplay);
        battle.SetPersonal("markOfMastery", c.mastery).SetPersonal("health", c.health);
        const auto row = RowOf(battle);
        ASSERT_EQ(row.kind, LibraryRowKind::Normal) << c.gameplay;
        EXPECT_EQ(row.cells[col::Outcome], c.outcome) << c.winner;
        EXPECT_EQ(row.cells[col::Mode], c.mode);
        EXPECT_EQ(row.cells[col::Mastery], c.badge);
        EXPECT_EQ(row.cells[col::Survived], c.survived);
    }
}

TEST(ReplayToLibraryRow, WrappedPersonalResultsFromNineEight) {
    BattleFixture battle = LibraryBattle("0, 9, 17, 1");
    battle.SetPersonal("damageDealt", "2500");
    const auto row = RowOf(battle);
    ASSERT_EQ(row.kind, LibraryRowKind::Normal);
    EXPECT_EQ(row.cells[col::Damage], "2500");
}

TEST(ReplayToLibraryRow, VersionRuleGivesOldVersionRows) {
    for (const auto& [version, kind] :
         std::map<std::string, LibraryRowKind>{{"0, 8, 6, 0", LibraryRowKind::OldVersion},
                                               {"0, 8, 11, 0", LibraryRowKind::Normal},
                                               {"0, 8, 10, 0", LibraryRowKind::Normal}}) {
        const auto row = RowOf(LibraryBattle(version));
        EXPECT_EQ(row.kind, kind) << version;
        if (kind == LibraryRowKind::OldVersion) {
            EXPECT_EQ(row.cells[col::NetProfit], "Стар.версия");
        }
    }
}

TEST(ReplayToLibraryRow, MissingMemberMarksTheRowAfterTheEarlyValues) {
    BattleFixture battle = LibraryBattle();
    battle.OmitPersonalKey("eventCredits");
    const auto row = RowOf(battle);
    ASSERT_EQ(row.kind, LibraryRowKind::Marked);
    EXPECT_EQ(row.cells[col::Time], "2017.05.27 21:04:33");
    EXPECT_EQ(row.cells[col::Vehicle], "ussr-T-34");  // as read, no name lookup
    EXPECT_EQ(row.cells[col::BattleType], "1");
    EXPECT_EQ(row.cells[col::Mode], "ctf");
    EXPECT_EQ(row.cells[col::Outcome], "Ошибка");
    EXPECT_EQ(row.cells[col::NetProfit], "Ошибка");
}

TEST(ReplayToLibraryRow, UnreadableValuesGiveAnErrorRowInsteadOfEndingTheScan) {
    const std::vector<std::function<void(BattleFixture&)>> spoil = {
        [](BattleFixture& b) { b.SetPersonal("markOfMastery", "\"x\""); },
        [](BattleFixture& b) { b.SetPersonal("autoLoadCost", "[300]"); },
        [](BattleFixture& b) { b.SetPersonal("originalCredits", "12.5"); },
        [](BattleFixture& b) { b.SetDateTime("2017-05-27 21:04"); },
        [](BattleFixture& b) { b.SetHeader("battleType", "\"one\""); },
    };
    for (std::size_t i = 0; i < spoil.size(); ++i) {
        BattleFixture battle = LibraryBattle();
        spoil[i](battle);
        const auto row = RowOf(battle);
        EXPECT_EQ(row.kind, LibraryRowKind::Error) << i;
        EXPECT_EQ(row.cells[col::Time], "Ошибка") << i;
    }
}

TEST(ReplayToLibraryRow, BattleLeftEarlyAndMissingFileAreErrorRows) {
    EXPECT_EQ(RowOf(test::LeftEarlyReplayOf(LibraryBattle())).kind,
              LibraryRowKind::Error);  // the row keeps its path

    test::TempFolder folder;
    const test::LibraryRowRead gone = test::ReadLibraryRow(folder.File("gone.wotreplay"));
    EXPECT_EQ(gone.kind, LibraryRowKind::Error);
    EXPECT_EQ(gone.cells[col::Map], "Ошибка");
}

TEST(ReplayToLibraryRow, PersonalResultsThatCannotBeUnwrappedBeepAndKeepTheEarlyValues) {
    BattleFixture battle = LibraryBattle("0, 9, 17, 1");
    test::ReplayFixture replay = test::ReplayOf(battle);
    // The personal member is no object: it cannot be unwrapped.
    const auto at = replay.results.find("\"personal\"");
    ASSERT_NE(at, std::string::npos);
    replay.results = "{\"personal\": 5, " + replay.results.substr(1);
    const auto row = RowOf(replay);
    EXPECT_EQ(row.kind, LibraryRowKind::Early);
    EXPECT_EQ(row.events, std::vector<std::string>{"beep 400 200"});
    EXPECT_EQ(row.cells[col::Map], "Малиновка");
    EXPECT_EQ(row.cells[col::Outcome], "");
}

TEST(ProcessReplays, LastPathFirstAndFavouritesApart) {
    test::TempFolder folder;
    for (const char* name : {"A.wotreplay", "b.wotreplay", "C.wotreplay"})
        test::WriteBattleReplay(folder.File(name), LibraryBattle());
    std::filesystem::create_directory(test::PathOf(folder.File("[Избранное]")));
    test::WriteBattleReplay(folder.File("[Избранное]/f.wotreplay"), LibraryBattle());

    LibraryTables tables;
    HeadlessDesktop desktop;
    ProcessReplays(folder.Path(), tables, IniFile(), desktop);
    const std::string f = folder.Path() + "/";
    EXPECT_EQ(tables.allReplays.Column(col::Path),
              (std::vector<std::string>{"Путь", f + "C.wotreplay", f + "b.wotreplay",
                                        f + "A.wotreplay"}));
    EXPECT_EQ(tables.favoriteReplays.Column(col::Path),
              (std::vector<std::string>{"Путь", f + "[Избранное]/f.wotreplay"}));
    // Columns were widened to their texts, never below the start-up widths.
    EXPECT_GE(tables.allReplays.ColumnWidth(col::Path),
              static_cast<int>((f + "C.wotreplay").size()) * HeadlessDesktop::kCharacterWidth);
    EXPECT_GE(tables.allReplays.ColumnWidth(col::Mastery), 25);
}

TEST(ProcessReplays, EveryNormalRowFitsItsColumns) {
    // The path that sorts first lands in the last row, which the scan's own loop never fits:
    // its texts must widen the columns when the row is filled.
    test::TempFolder folder;
    BattleFixture wide = LibraryBattle();
    wide.SetMap("wide", "A map name far longer than any title or other row of this table");
    test::WriteBattleReplay(folder.File("a.wotreplay"), wide);
    test::WriteBattleReplay(folder.File("b.wotreplay"), LibraryBattle());
    test::WriteBattleReplay(folder.File("c.wotreplay"), LibraryBattle());

    LibraryTables tables;
    HeadlessDesktop desktop;
    ProcessReplays(folder.Path(), tables, IniFile(), desktop);
    const TextGrid& table = tables.allReplays;
    ASSERT_EQ(table.RowCount(), 4);
    for (int row = 1; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.ColumnCount(); ++column) {
            const int needed =
                desktop.TextWidth(table.Cell(column, row), table.Font()) + table.LineWidth() + 10;
            EXPECT_GE(table.ColumnWidth(column), needed) << "row " << row << ", column " << column;
        }
    }
}

TEST(ProcessReplays, AReadErrorEndsTheScanWithBothTablesSized) {
#ifdef _WIN32
    GTEST_SKIP() << "no file fails its reads on Windows as /proc/self/mem does on Linux";
#endif
    // The process's own memory opens for reading but fails at offset 0.
    const std::string unreadable = "/proc/self/mem";
    if (std::FILE* probe = std::fopen(unreadable.c_str(), "rb"))
        std::fclose(probe);
    else
        GTEST_SKIP() << unreadable << " cannot be opened here";
    test::TempFolder folder;
    test::WriteBattleReplay(folder.File("a.wotreplay"), LibraryBattle());
    std::filesystem::create_symlink(unreadable, folder.File("b.wotreplay"));
    std::filesystem::create_directory(test::PathOf(folder.File("[Избранное]")));
    test::WriteBattleReplay(folder.File("[Избранное]/f.wotreplay"), LibraryBattle());
    test::WriteBattleReplay(folder.File("[Избранное]/g.wotreplay"), LibraryBattle());

    LibraryTables tables;
    HeadlessDesktop desktop;
    EXPECT_THROW(ProcessReplays(folder.Path(), tables, IniFile(), desktop), KordexError);
    // Both lists and both tables' sizes were set before the first file was read; the file
    // that failed and every one after it got no row content.
    EXPECT_EQ(tables.favoriteReplaysList.size(), 2u);
    EXPECT_EQ(tables.allReplays.RowCount(), 3);
    EXPECT_EQ(tables.favoriteReplays.RowCount(), 3);
    EXPECT_EQ(tables.allReplays.Cell(col::Path, 1), "");
    EXPECT_EQ(tables.allReplays.Cell(col::Path, 2), "");
    EXPECT_EQ(tables.favoriteReplays.Cell(col::Path, 1), "");
}

}  // namespace
}  // namespace kordex
