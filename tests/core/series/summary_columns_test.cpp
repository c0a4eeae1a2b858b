#include "series/summary_columns.h"

#include <gtest/gtest.h>

#include "platform/headless_desktop.h"
#include "window/window_tables.h"

namespace kordex {
namespace {

const NumberFormat kComma{','};
using Texts = std::vector<std::string>;

// Runs of repeated texts, one after another: {{2, "Победа"}, {1, "Ничья"}}.
Texts Runs(std::initializer_list<std::pair<std::size_t, const char*>> runs) {
    Texts texts;
    for (const auto& [count, text] : runs)
        texts.insert(texts.end(), count, text);
    return texts;
}

// A series grid with the given outcome words in row 2 and one body row per list of cells.
TextGrid Grid(const std::vector<std::string>& outcomes,
              const std::vector<std::vector<std::string>>& rows) {
    TextGrid grid(static_cast<int>(outcomes.size()) + 2, 3 + static_cast<int>(rows.size()), 1, 3,
                  60, 18);
    grid.SetCell(1, 2, "Техника");
    for (std::size_t c = 0; c < outcomes.size(); ++c)
        grid.SetCell(static_cast<int>(c) + 2, 2, outcomes[c]);
    for (std::size_t r = 0; r < rows.size(); ++r)
        grid.SetRow(static_cast<int>(r) + 3, rows[r]);
    return grid;
}

// The total (column 5) and average (column 6) of body rows of a three-battle grid.
struct RowTotals {
    int row;
    const char* total;
    const char* average;
};
void ExpectTotals(const TextGrid& grid, std::initializer_list<RowTotals> rows) {
    for (const RowTotals& r : rows) {
        EXPECT_EQ(grid.Cell(5, r.row), r.total) << "row " << r.row;
        EXPECT_EQ(grid.Cell(6, r.row), r.average) << "row " << r.row;
    }
}

TEST(AppendTotalColumns, SumsAndAveragesTheReadableValues) {
    TextGrid grid = Grid({"Победа", "Поражение", "Победа"},
                         {{"p1", "T", "700;0;true", "900;+1;false", "1100;-1;true"},
                          {"p2", "T", "1;+1;true", "0;0;true", "0;0;false"},
                          {"p3", "T", "error;0;true", "", "30;0;true"},
                          {"", "", "", "", ""}});
    AppendTotalColumns(grid, kComma);
    ASSERT_EQ(grid.ColumnCount(), 7);
    EXPECT_EQ(grid.Column(5)[0], "Суммарно");
    EXPECT_EQ(grid.Column(5)[1], "Нажать для сортировки");
    EXPECT_EQ(grid.Column(6)[0], "В среднем");
    // Row 5: "error" neither adds nor counts; an empty cell is a battle not played.
    ExpectTotals(grid, {{3, "2700", "900"}, {4, "1", "0,33"}, {5, "30", "30"}});
    EXPECT_TRUE(grid.Cell(5, 6).empty());
}

TEST(AppendTotalColumns, AveragesAreTheExactQuotientCut) {
    std::vector<std::string> outcomes(10, "Победа");
    std::vector<std::string> row{"p", "T"};
    for (int i = 0; i < 10; ++i)
        row.push_back(i < 7 ? "1;0;true" : "0;0;true");
    TextGrid grid = Grid(outcomes, {row});
    AppendTotalColumns(grid, kComma);
    EXPECT_EQ(grid.Cell(12, 3), "7");
    EXPECT_EQ(grid.Cell(13, 3), "0,70");
}

TEST(AppendTotalColumns, CountsBattlesAndRoundsTheWinRateHalfToEven) {
    struct Case {
        std::vector<std::string> outcomes;
        std::string total, average;
    };
    auto repeat = [](std::size_t wins, std::size_t losses) {
        return Runs({{wins, "Победа"}, {losses, "Поражение"}});
    };
    const Case cases[] = {
        {{"Победа", "Ничья", "Поражение", "Победа", "Вышел", "Поражение", "Победа", "Ошибка"},
         "Боев: 6, побед: 3",
         "3/1/2  50%"},
        {repeat(2, 6), "Боев: 8, побед: 2", "2/0/6  25%"},
        {repeat(1, 7), "Боев: 8, побед: 1", "1/0/7  12%"},
        {repeat(3, 5), "Боев: 8, побед: 3", "3/0/5  38%"},
        {{"Вышел", "Старая версия"}, "Боев: 0, побед: 0", "0/0/0  0%"},
    };
    for (const Case& c : cases) {
        TextGrid grid = Grid(c.outcomes, {});
        AppendTotalColumns(grid, kComma);
        const int total = grid.ColumnCount() - 2;
        EXPECT_EQ(grid.Cell(total, 2), c.total);
        EXPECT_EQ(grid.Cell(total + 1, 2), c.average);
    }
}

TEST(AppendPairTotalColumns, AveragesOverBattlesWithSupport) {
    TextGrid grid = Grid({"Победа", "Победа", "Победа"},
                         {{"p1", "T", "100 / 0;0;true", "0 / 0;-1;true", "50 / 25;+1;true"},
                          {"p2", "T", "0 / 0;0;true", "", "0 / 0;0;false"},
                          {"p3", "T", "x / 5;0;true", "10 / 0;0;true", ""}});
    AppendPairTotalColumns(grid);
    // Row 5: a side that is no number adds nothing instead of stopping the totals.
    ExpectTotals(grid, {{3, "150 / 25", "75 / 12"}, {4, "0 / 0", "0 / 0"}, {5, "10 / 5", "5 / 2"}});
    EXPECT_TRUE(grid.Cell(5, 2).empty());
}

TEST(AppendShotsTotalColumns, SumsEachOfTheFourNumbers) {
    TextGrid grid = Grid({"Победа", "Победа", "Победа"},
                         {{"p1", "T", "10 - 6/8 (1);0;true", "", "12 - 9/10 (0);0;false"}});
    AppendShotsTotalColumns(grid, kComma);
    ExpectTotals(grid, {{3, "22 - 15/18 (1)", "11 - 7,50/9 (0,50)"}});
}

struct TitledTables : WindowTables {
    TitledTables() { SetTableTitles(*this); }
};

// A prepared series of three battles with one player through all five grids.
TitledTables ThreeBattles() {
    TitledTables tables;
    PrepareSeriesGrids(tables, 3);
    const char* outcomes[] = {"Победа", "Поражение", "Ничья"};
    for (TextGrid* grid : tables.SeriesGrids()) {
        for (int c = 0; c < 3; ++c) {
            grid->SetCell(c + 2, 0, "01.01.2017;2" + std::to_string(c) + ":00");
            grid->SetCell(c + 2, 2, outcomes[c]);
        }
        grid->SetCell(0, 3, "p1");
        grid->SetCell(1, 3, "T");
    }
    for (int c = 0; c < 3; ++c) {
        const std::string n = std::to_string(c + 1);
        tables.SeriesGridExp.SetCell(c + 2, 3, n + "00;0;true");
        tables.SeriesGridFrags.SetCell(c + 2, 3, n + ";0;true");
        tables.SeriesGridDamage.SetCell(c + 2, 3, n + "000;0;true");
        tables.SeriesGridSupport.SetCell(c + 2, 3, n + " / 0;0;true");
        tables.SeriesGridShots.SetCell(c + 2, 3, n + " - 1/1 (0);0;true");
    }
    return tables;
}

TEST(MoveTotalsToFront, KeepsTheBattlesInTheirOrder) {
    TitledTables tables = ThreeBattles();
    AppendSeriesTotals(tables, kComma);
    MoveTotalsToFront(tables);
    const TextGrid& exp = tables.SeriesGridExp;
    EXPECT_EQ(exp.Row(0),
              (std::vector<std::string>{"Дата", "", "Суммарно", "В среднем", "01.01.2017;20:00",
                                        "01.01.2017;21:00", "01.01.2017;22:00"}));
    EXPECT_EQ(exp.Row(3), (std::vector<std::string>{"p1", "T", "600", "200", "100;0;true",
                                                    "200;0;true", "300;0;true"}));
    EXPECT_EQ(tables.SeriesGridShots.Cell(2, 3), "6 - 3/3 (0)");

    // The double-click finds the replay of each battle column at its new place.
    RunList runList;
    runList.Assign({"a", "b", "c"});
    EXPECT_FALSE(BattleReplayIndex(exp, runList, 2));
    EXPECT_FALSE(BattleReplayIndex(exp, runList, 3));
    EXPECT_EQ(BattleReplayIndex(exp, runList, 4), 0);
    EXPECT_EQ(BattleReplayIndex(exp, runList, 6), 2);
    EXPECT_FALSE(BattleReplayIndex(exp, runList, 7));
}

TEST(BattleReplayIndex, TotalsAtTheEndOpenNothing) {
    TitledTables tables = ThreeBattles();
    AppendSeriesTotals(tables, kComma);
    RunList runList;
    runList.Assign({"a", "b", "c"});
    const TextGrid& exp = tables.SeriesGridExp;
    EXPECT_FALSE(BattleReplayIndex(exp, runList, 1));
    EXPECT_EQ(BattleReplayIndex(exp, runList, 2), 0);
    EXPECT_EQ(BattleReplayIndex(exp, runList, 4), 2);
    EXPECT_FALSE(BattleReplayIndex(exp, runList, 5));
    EXPECT_FALSE(BattleReplayIndex(exp, runList, 6));
    // A run list shorter than the grid (the user dropped other files since) opens nothing there.
    runList.Assign({"a"});
    EXPECT_FALSE(BattleReplayIndex(exp, runList, 3));
}

TEST(RemoveTrailingEmptyRows, DropsOnlyTheBottomRowsWithoutAPlayer) {
    TitledTables tables = ThreeBattles();
    // A row without a name between players must not cost the last player his row.
    for (TextGrid* grid : tables.SeriesGrids())
        grid->SetCell(0, 5, "p3");
    RemoveTrailingEmptyRows(tables);
    for (const TextGrid* grid : tables.SeriesGrids()) {
        ASSERT_EQ(grid->RowCount(), 6);
        EXPECT_EQ(grid->Cell(0, 5), "p3");
    }

    TitledTables empty;
    PrepareSeriesGrids(empty, 2);
    RemoveTrailingEmptyRows(empty);
    for (const TextGrid* grid : empty.SeriesGrids())
        EXPECT_EQ(grid->RowCount(), 3);
}

TEST(FillSummaryGrid, ReadsTotalsWhereverTheRunPutThem) {
    for (bool front : {false, true}) {
        TitledTables tables = ThreeBattles();
        AppendSeriesTotals(tables, kComma);
        if (front)
            MoveTotalsToFront(tables);
        RemoveTrailingEmptyRows(tables);
        FillSummaryGrid(tables);
        const TextGrid& summary = tables.SeriesGridSummary;
        ASSERT_EQ(summary.RowCount(), 4);
        EXPECT_EQ(summary.Row(0),
                  (std::vector<std::string>{"Ник", "Суммарный опыт", "Суммарно фрагов",
                                            "Суммарно урона", "Суммарно поддержки", "Средний опыт",
                                            "В среднем фрагов", "Средний урон",
                                            "В среднем поддержки", "Боёв", "Побед", "% побед"}));
        // Three battles, one of them won: 33,33 rounds to 33.
        EXPECT_EQ(summary.Row(1),
                  (std::vector<std::string>{"p1", "600", "6", "6000", "6 / 0", "200", "2", "2000",
                                            "2 / 0", "3", "1", "33"}))
            << front;
        EXPECT_EQ(summary.Row(2), std::vector<std::string>(12));
    }
}

TEST(FillSummaryGrid, AttendanceCountsTheBattlesEachPlayerTookPartIn) {
    struct Case {
        std::vector<std::string> outcomes;
        std::vector<std::string> cells;  // the player's cells under those outcomes
        std::string battles, wins, percent;
    };
    const Case cases[] = {
        // 1 of 8 is 12.5: half to even gives 12; 3 of 8 gives 38.
        {Runs({{1, "Победа"}, {7, "Поражение"}}), Runs({{8, "1;0;true"}}), "8", "1", "12"},
        {Runs({{3, "Победа"}, {4, "Поражение"}, {1, "Ничья"}}), Runs({{8, "1;0;true"}}), "8", "3",
         "38"},
        // Battles without the player, repeats and unusable replays are not the player's.
        {{"Победа", "Победа", "Повтор", "Вышел", "Сбой", "Ничья"},
         {"", "5;0;false", "", "", "", "error;0;true"},
         "2",
         "1",
         "50"},
        {{"Повтор", "Поражение"}, {"", "0;+1;true"}, "1", "0", "0"},
    };
    for (const Case& c : cases) {
        TitledTables tables;
        PrepareSeriesGrids(tables, static_cast<int>(c.outcomes.size()));
        for (TextGrid* grid : tables.SeriesGrids()) {
            grid->SetCell(0, 3, "p1");
            for (std::size_t i = 0; i < c.outcomes.size(); ++i) {
                grid->SetCell(static_cast<int>(i) + 2, 2, c.outcomes[i]);
                grid->SetCell(static_cast<int>(i) + 2, 3, c.cells[i]);
            }
        }
        AppendSeriesTotals(tables, kComma);
        MoveTotalsToFront(tables);
        RemoveTrailingEmptyRows(tables);
        FillSummaryGrid(tables);
        const auto row = tables.SeriesGridSummary.Row(1);
        ASSERT_EQ(row.size(), 12u);
        EXPECT_EQ((std::vector<std::string>{row[9], row[10], row[11]}),
                  (std::vector<std::string>{c.battles, c.wins, c.percent}))
            << c.battles << "/" << c.wins;
    }
}

TEST(FitSeriesColumnWidths, GivesAllFiveGridsTheWidestWidth) {
    TitledTables tables = ThreeBattles();
    tables.SeriesGridShots.SetCell(2, 3, std::string(40, 'x'));
    HeadlessDesktop desktop;
    FitSeriesColumnWidths(tables, desktop);
    const int widest = tables.SeriesGridShots.ColumnWidth(2);
    EXPECT_GE(widest, 40 * HeadlessDesktop::kCharacterWidth);
    for (const TextGrid* grid : tables.SeriesGrids())
        EXPECT_EQ(grid->ColumnWidth(2), widest);
    EXPECT_LT(tables.SeriesGridExp.ColumnWidth(3), widest);
}

TEST(RunList, SortsPathsIgnoringLetterCase) {
    RunList list;
    list.Assign({"/r/b.wotreplay", "/r/C.wotreplay", "/r/a.wotreplay"});
    list.Add("/r/B2.wotreplay");
    list.Add("/r/Ж.wotreplay");
    list.Add("/r/в.wotreplay");
    EXPECT_EQ(list.Paths(),
              (std::vector<std::string>{"/r/a.wotreplay", "/r/b.wotreplay", "/r/B2.wotreplay",
                                        "/r/C.wotreplay", "/r/в.wotreplay", "/r/Ж.wotreplay"}));
}

}  // namespace
}  // namespace kordex
