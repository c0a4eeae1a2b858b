#include "tables/header_click_sorts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/kordex_error.h"
#include "support/series_grid_fixture.h"

namespace kordex {
namespace {

const NumberFormat kComma{','};
using Texts = std::vector<std::string>;
using test::BodyColumn;

// A team table of the single view with kills, experience and damage filled.
TextGrid TeamTable(const std::vector<Texts>& rows) {
    TextGrid grid(13, 16, 0, 1, 64, 18);
    grid.SetRow(
        0, {"Взв", "Ник", "Клан", "Танк", "Жив", "Убил", "Опыт", "Урон", "Свет", "Гусли", "Точн."});
    for (std::size_t i = 0; i < rows.size(); ++i)
        grid.SetRow(static_cast<int>(i) + 1, rows[i]);
    return grid;
}

TEST(TeamTableHeaderClick, TitlesKillsToTrackingSortBothTablesByNumber) {
    auto allies = TeamTable({{"", "a1", "", "", "+", "1", "900;+1", "200;-1", "0;0", "0;0"},
                             {"", "a2", "", "", "-", "", "100;-1", "300;+1", "0;0", "0;0"}});
    auto enemies = TeamTable({{"", "e1", "", "", "-", "", "500;0", "10;-1", "0;0", "0;0"},
                              {"", "e2", "", "", "+", "2", "50;-1", "900;+1", "0;0", "0;0"},
                              {"", "e3", "", "", "+", "", "700;+1", "450;0", "0;0", "0;0"}});
    auto firstNames = [](const TextGrid& grid, int n) {
        auto names = BodyColumn(grid, 1);
        names.resize(n);
        return names;
    };

    // "Урон", clicked in either table: both re-sorted, largest first.
    EXPECT_TRUE(SortTeamTablesByHeader(allies, enemies, 7, 0, kComma));
    EXPECT_EQ(firstNames(allies, 3), (Texts{"a2", "a1", ""}));
    EXPECT_EQ(firstNames(enemies, 4), (Texts{"e2", "e3", "e1", ""}));

    // "Опыт" then.
    EXPECT_TRUE(SortTeamTablesByHeader(allies, enemies, 6, 0, kComma));
    EXPECT_EQ(firstNames(allies, 2), (Texts{"a1", "a2"}));
    EXPECT_EQ(firstNames(enemies, 3), (Texts{"e3", "e1", "e2"}));

    // Titles outside 5..10 and clicks below the title row change nothing.
    const auto alliesBefore = BodyColumn(allies, 1);
    const auto enemiesBefore = BodyColumn(enemies, 1);
    for (auto [column, row] : {std::pair{1, 0}, {4, 0}, {11, 0}, {12, 0}, {7, 1}}) {
        EXPECT_FALSE(SortTeamTablesByHeader(allies, enemies, column, row, kComma)) << column;
        EXPECT_EQ(BodyColumn(allies, 1), alliesBefore);
        EXPECT_EQ(BodyColumn(enemies, 1), enemiesBefore);
    }
}

// A player's empty cell in a team table is 0 (no kills, no shots): it sorts below every value
// and never holds another row back. The rows below the last player stay at the end.
TEST(TeamTableHeaderClick, EveryTitleSortsEmptyCellsAsZero) {
    const Texts values = {"3", "1", "", "2", "2", "1", "1", ""};
    const Texts sorted = {"3", "2", "2", "1", "1", "1", "", ""};
    // The players in value order: the equal values keep their order.
    const Texts names = {"p0", "p3", "p4", "p1", "p5", "p6", "p2", "p7"};
    for (int column = 5; column <= 10; ++column) {
        // The value columns carry an extreme marker; "Убил" and "Точн." hold plain numbers.
        const bool marked = column >= 6 && column <= 9;
        auto table = [&](const std::string& prefix) {
            std::vector<Texts> rows;
            for (std::size_t i = 0; i < values.size(); ++i) {
                Texts row(13);
                row[1] = prefix + std::to_string(i);
                row[4] = "+";
                row[column] = values[i].empty() || !marked ? values[i] : values[i] + ";0";
                rows.push_back(row);
            }
            return TeamTable(rows);
        };
        auto allies = table("p");
        auto enemies = table("p");
        ASSERT_TRUE(SortTeamTablesByHeader(allies, enemies, column, 0, kComma)) << column;
        for (const TextGrid* grid : {&allies, &enemies}) {
            Texts shown;
            for (const auto& cell : BodyColumn(*grid, column))
                shown.push_back(cell.substr(0, cell.find(';')));
            Texts expected = sorted;
            expected.resize(shown.size());
            EXPECT_EQ(shown, expected) << "column " << column;
            Texts expectedNames = names;
            expectedNames.resize(shown.size());
            EXPECT_EQ(BodyColumn(*grid, 1), expectedNames) << "column " << column;
        }
    }
}

// A series table with two battles and the total columns, in the layout after a run.
TextGrid SeriesTableWithTotals(bool totalsFirst, const std::vector<Texts>& body) {
    TextGrid grid(6, 3 + static_cast<int>(body.size()), 1, 3, 64, 18);
    if (totalsFirst) {
        grid.SetRow(0, {"Ник", "Техника", "Суммарно", "В среднем", "01.05;20:00", ";20:10"});
        grid.SetRow(1, {"", "", "Нажать для сортировки", "", "Химмельсдорф", "Прохоровка"});
    } else {
        grid.SetRow(0, {"Ник", "Техника", "01.05;20:00", ";20:10", "Суммарно", "В среднем"});
        grid.SetRow(1, {"", "", "Химмельсдорф", "Прохоровка", "Нажать для сортировки", ""});
    }
    for (std::size_t i = 0; i < body.size(); ++i)
        grid.SetRow(3 + static_cast<int>(i), body[i]);
    return grid;
}

TEST(SeriesTableHeaderClick, BattleColumnsSortOnlyWhileGroupedByBattles) {
    const std::vector<Texts> body = {{"low", "T-34", "100;-1;true", "100;-1;true", "200", "100"},
                                     {"high", "IS", "900;+1;false", "900;+1;true", "1800", "900"}};
    struct Case {
        const char* name;
        int column;
        int row;
        bool grouped;
        bool sorts;
    };
    const Case cases[] = {
        {"battle column, not grouped", 3, 0, false, false},
        {"battle column, grouped", 3, 0, true, true},
        {"total column, not grouped", 4, 0, false, true},
        {"average column from header row 2", 5, 2, false, true},
        {"total column from header row 1", 4, 1, true, true},
        {"names", 0, 0, true, false},
        {"vehicles", 1, 1, true, false},
        {"body row", 4, 3, true, false},
    };
    for (const auto& c : cases) {
        auto grid = SeriesTableWithTotals(false, body);
        EXPECT_EQ(
            SortSeriesTableByHeader(SeriesTable::Exp, grid, c.column, c.row, c.grouped, kComma),
            c.sorts)
            << c.name;
        EXPECT_EQ(BodyColumn(grid, 0), (c.sorts ? Texts{"high", "low"} : Texts{"low", "high"}))
            << c.name;
    }
}

TEST(SeriesTableHeaderClick, TotalsAtTheFrontSortByTheirTitle) {
    auto grid = SeriesTableWithTotals(true, {{"low", "", "100", "100", "100;-1;true", ""},
                                             {"high", "", "900", "900", "", "900;+1;true"}});
    EXPECT_TRUE(SortSeriesTableByHeader(SeriesTable::Damage, grid, 2, 0, false, kComma));
    EXPECT_EQ(BodyColumn(grid, 0), (Texts{"high", "low"}));
    EXPECT_FALSE(SortSeriesTableByHeader(SeriesTable::Damage, grid, 4, 0, false, kComma));
}

TEST(SeriesTableHeaderClick, SupportSortsByPairSumAndShootingNotAtAll) {
    const std::vector<Texts> support = {{"a", "", "40 / 90;0;true", "", "40 / 90", "40 / 90"},
                                        {"b", "", "100 / 50;+1;true", "", "100 / 50", "100 / 50"},
                                        {"c", "", "0 / 200;0;true", "", "0 / 200", "0 / 200"}};
    auto grid = SeriesTableWithTotals(false, support);
    EXPECT_TRUE(SortSeriesTableByHeader(SeriesTable::Support, grid, 4, 0, false, kComma));
    EXPECT_EQ(BodyColumn(grid, 0), (Texts{"c", "b", "a"}));

    // The same pair values under the number sort would be unreadable.
    auto asExp = SeriesTableWithTotals(false, support);
    EXPECT_THROW(SortSeriesTableByHeader(SeriesTable::Exp, asExp, 4, 0, false, kComma),
                 KordexError);

    auto shots = SeriesTableWithTotals(
        false, {{"a", "", "", "", "1 - 0/1 (0)", ""}, {"b", "", "", "", "9 - 5/7 (1)", ""}});
    EXPECT_FALSE(SortSeriesTableByHeader(SeriesTable::Shots, shots, 4, 0, true, kComma));
    EXPECT_EQ(BodyColumn(shots, 0), (Texts{"a", "b"}));
}

TextGrid Summary() {
    TextGrid grid(12, 6, 1, 1, 64, 18);
    grid.SetRow(0, {"Ник", "Суммарный опыт", "Суммарно фрагов", "Суммарно урона",
                    "Суммарно поддержки", "Средний опыт", "В среднем фрагов", "Средний урон",
                    "В среднем поддержки", "Боёв", "Побед", "% побед"});
    grid.SetRow(1, {"Boris", "2700", "1", "3000", "150 / 25", "900", "0,33", "1000", "75 / 12", "3",
                    "2", "67"});
    grid.SetRow(
        2, {"alex", "900", "3", "500", "0 / 300", "450", "1,50", "250", "0 / 150", "2", "0", "0"});
    grid.SetRow(3, {"Вася", "1500", "2", "4000", "10 / 10", "1500", "2", "4000", "10 / 10", "1",
                    "1", "100"});
    return grid;  // rows 4 and 5 stay empty, as after a run
}

TEST(SummaryTableHeaderClick, EachColumnHasItsSort) {
    struct Case {
        int column;
        Texts names;
    };
    const Case cases[] = {
        {1, {"Boris", "Вася", "alex", "", ""}},
        {6, {"Вася", "alex", "Boris", "", ""}},  // averages in the locale format
        {4, {"alex", "Boris", "Вася", "", ""}},
        {8, {"alex", "Boris", "Вася", "", ""}},
        {0, {"alex", "Boris", "Вася", "", ""}},  // names alphabetically, empty rows below
        {9, {"Boris", "alex", "Вася", "", ""}},  // attendance
        {10, {"Boris", "Вася", "alex", "", ""}},
        {11, {"Вася", "Boris", "alex", "", ""}},
    };
    for (const auto& c : cases) {
        auto grid = Summary();
        EXPECT_TRUE(SortSummaryTableByHeader(grid, c.column, 0, kComma)) << c.column;
        EXPECT_EQ(BodyColumn(grid, 0), c.names) << c.column;
        EXPECT_EQ(grid.Cell(0, 0), "Ник");
    }
    auto grid = Summary();
    EXPECT_FALSE(SortSummaryTableByHeader(grid, 1, 2, kComma));
    EXPECT_FALSE(SortSummaryTableByHeader(grid, 12, 0, kComma));
    EXPECT_EQ(BodyColumn(grid, 0), (Texts{"Boris", "alex", "Вася", "", ""}));
}

TEST(LibrarySortState, SameColumnReversesAndAnotherStartsDescending) {
    struct Click {
        int column;
        bool descending;
    };
    const std::vector<Click> clicks = {
        {0, false}, {0, true},  {0, false},  // column 0 right after start-up: ascending first
        {3, true},  {3, false},              // any other column: descending first
        {5, true},  {0, true},  {0, false},
    };
    LibrarySortState state;
    state.Reset();
    for (std::size_t i = 0; i < clicks.size(); ++i)
        EXPECT_EQ(state.Click(clicks[i].column), clicks[i].descending) << "click " << i;
}

TEST(LibraryListHeaderClick, BothListsShareOneStateAndClicksBelowTheTitleDoNothing) {
    TextGrid all(2, 4, 0, 1, 64, 18);
    all.SetRow(0, {"Время", "Опыт"});
    all.SetRow(1, {"a", "9"});
    all.SetRow(2, {"b", "10"});
    all.SetRow(3, {"c", "Ошибка"});
    TextGrid favorites = all;
    LibrarySortState state;

    EXPECT_TRUE(SortLibraryListByHeader(state, all, 1, 0));
    EXPECT_EQ(BodyColumn(all, 1), (Texts{"Ошибка", "10", "9"}));
    // The same column on the other list continues the shared state: ascending.
    EXPECT_TRUE(SortLibraryListByHeader(state, favorites, 1, 0));
    EXPECT_EQ(BodyColumn(favorites, 1), (Texts{"9", "10", "Ошибка"}));

    EXPECT_FALSE(SortLibraryListByHeader(state, all, 1, 2));
    EXPECT_FALSE(SortLibraryListByHeader(state, all, 7, 0));
    EXPECT_EQ(state.Column(), 1);
    EXPECT_FALSE(state.Descending());
}

}  // namespace
}  // namespace kordex
