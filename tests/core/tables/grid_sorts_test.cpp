#include "tables/grid_sorts.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/kordex_error.h"
#include "support/series_grid_fixture.h"
#include "text/text_collation.h"

namespace kordex {
namespace {

const NumberFormat kComma{','};
using test::BodyColumn;

using Texts = std::vector<std::string>;

// A grid of one fixed title row and two columns: column 0 tags each row with its original
// position, column 1 holds the values under test.
TextGrid ColumnGrid(const Texts& values) {
    TextGrid grid(2, static_cast<int>(values.size()) + 1, 0, 1, 64, 18);
    grid.SetRow(0, {"#", "title"});
    for (std::size_t i = 0; i < values.size(); ++i)
        grid.SetRow(static_cast<int>(i) + 1, {std::to_string(i), values[i]});
    return grid;
}

using Sort = std::function<void(TextGrid&, int)>;

const std::vector<std::pair<const char*, Sort>> kAllSorts = {
    {"NumberDesc", [](TextGrid& g, int c) { SortGridByNumberDesc(g, c, kComma); }},
    {"PairSumDesc", [](TextGrid& g, int c) { SortGridByPairSumDesc(g, c); }},
    {"IntOrTextDesc", [](TextGrid& g, int c) { SortGridByIntOrTextDesc(g, c); }},
    {"IntOrTextAsc", [](TextGrid& g, int c) { SortGridByIntOrTextAsc(g, c); }},
};

TEST(GridSorts, FewerThanTwoBodyRowsAreLeftAsTheyAre) {
    for (const auto& [name, sort] : kAllSorts) {
        TextGrid titleOnly(2, 1, 0, 1, 64, 18);
        titleOnly.SetRow(0, {"b", "a"});
        sort(titleOnly, 1);
        EXPECT_EQ(titleOnly.Row(0), (Texts{"b", "a"})) << name;

        // Even a value the numeric sorts cannot read is never converted alone.
        TextGrid oneRow = ColumnGrid({"error;0"});
        EXPECT_NO_THROW(sort(oneRow, 1)) << name;
        EXPECT_EQ(BodyColumn(oneRow, 1), (Texts{"error;0"})) << name;
    }
}

TEST(GridSorts, TeamTableByExperienceMovesWholeRowsWithTheirMarkers) {
    TextGrid grid(12, 4, 0, 1, 64, 18);
    grid.SetRow(0, {"Взв", "Ник", "Клан", "Танк", "Жив", "Убил", "Опыт"});
    grid.SetRow(
        1, {"1", "Alpha", "AAA", "T-34", "+", "", "850;0", "900;0", "0;-1", "10;0", "11", "101"});
    grid.SetRow(2,
                {"", "Bravo", "", "KV-1", "-", "1", "420;-1", "100;-1", "5;0", "0;-1", "", "102"});
    grid.SetRow(3, {"1", "Charlie", "AAA", "IS", "+", "3", "1200;+1", "2000;+1", "9;+1", "40;+1",
                    "11", "103"});
    const auto rowAlpha = grid.Row(1), rowBravo = grid.Row(2), rowCharlie = grid.Row(3);

    SortGridByNumberDesc(grid, 6, kComma);

    EXPECT_EQ(grid.Row(0)[6], "Опыт");
    EXPECT_EQ(grid.Row(1), rowCharlie);
    EXPECT_EQ(grid.Row(2), rowAlpha);
    EXPECT_EQ(grid.Row(3), rowBravo);
}

TEST(GridSorts, NumberSortCanTakeAnEmptyCellAsZero) {
    TextGrid grid(3, 7, 0, 1, 64, 18);
    grid.SetRow(1, {"a", "", "x"});
    grid.SetRow(2, {"b", "3", "x"});
    grid.SetRow(3, {"c", "-1", "x"});
    grid.SetRow(4, {"d", "", "x"});
    grid.SetRow(5, {"e", "2,5;0", "x"});
    // Row 6 holds nothing: a vacant row takes part in no comparison.
    SortGridByNumberDesc(grid, 1, kComma, EmptyCells::Zero);
    EXPECT_EQ(BodyColumn(grid, 0), (Texts{"b", "e", "a", "d", "c", ""}));

    // By default an empty cell still holds every row in its place.
    TextGrid stays = ColumnGrid({"5", "3", "", "9", "7"});
    SortGridByNumberDesc(stays, 1, kComma);
    EXPECT_EQ(BodyColumn(stays, 1), (Texts{"5", "3", "", "9", "7"}));
}

TEST(GridSorts, NumericSortsMoveNoRowPastAnEmptyCell) {
    struct Case {
        Texts before;
        Texts after;
    };
    const Case numberCases[] = {
        {{"5", "3", "", "9", "7"}, {"5", "3", "", "9", "7"}},
        {{"3", "5", "", "7", "9"}, {"5", "3", "", "9", "7"}},
        {{"1;0", "", "2;0", "3;+1", ""}, {"1;0", "", "3;+1", "2;0", ""}},
        {{"0,5", "1,25", "-2", "1,3"}, {"1,3", "1,25", "0,5", "-2"}},
        {{"", "", "4", "8"}, {"", "", "8", "4"}},
    };
    for (const auto& c : numberCases) {
        TextGrid grid = ColumnGrid(c.before);
        SortGridByNumberDesc(grid, 1, kComma);
        EXPECT_EQ(BodyColumn(grid, 1), c.after) << ::testing::PrintToString(c.before);
    }
    const Case pairCases[] = {
        {{"1 / 1", "3 / 3", "", "0 / 1", "5 / 0"}, {"3 / 3", "1 / 1", "", "5 / 0", "0 / 1"}},
    };
    for (const auto& c : pairCases) {
        TextGrid grid = ColumnGrid(c.before);
        SortGridByPairSumDesc(grid, 1);
        EXPECT_EQ(BodyColumn(grid, 1), c.after) << ::testing::PrintToString(c.before);
    }
}

TEST(GridSorts, EqualKeysKeepTheirOrder) {
    struct Case {
        const char* name;
        Sort sort;
        Texts values;
        Texts tagsAfter;
    };
    const Case cases[] = {
        {"NumberDesc", kAllSorts[0].second, {"5;0", "7;+1", "5;-1", "7;0"}, {"1", "3", "0", "2"}},
        {"PairSumDesc",
         kAllSorts[1].second,
         {"1 / 4", "2 / 3;0", "9 / 0", "5 / 0"},
         {"2", "0", "1", "3"}},
        {"IntOrTextDesc",
         kAllSorts[2].second,
         {"b", "7", "b", "07", "a"},
         {"0", "2", "4", "1", "3"}},
        {"IntOrTextAsc",
         kAllSorts[3].second,
         {"b", "7", "b", "07", "a"},
         {"1", "3", "4", "0", "2"}},
    };
    for (const auto& c : cases) {
        TextGrid grid = ColumnGrid(c.values);
        c.sort(grid, 1);
        EXPECT_EQ(BodyColumn(grid, 0), c.tagsAfter) << c.name;
    }
}

TEST(GridSorts, SupportPairsSortBySumWhateverTheirMarkers) {
    TextGrid grid = ColumnGrid({"40 / 90;+1;true", "100 / 50;-1;false", "0 / 200;0;true"});
    SortGridByPairSumDesc(grid, 1);
    EXPECT_EQ(BodyColumn(grid, 1),
              (Texts{"0 / 200;0;true", "100 / 50;-1;false", "40 / 90;+1;true"}));
}

TEST(GridSorts, IntegerOrTextComparesIntegersByNumberAndTheRestAsTexts) {
    struct Case {
        Texts before;
        Texts descending;
    };
    const Case cases[] = {
        {{"9", "10"}, {"10", "9"}},
        {{"10", "9a"}, {"9a", "10"}},
        {{"", "3", "", "Ошибка", "12"}, {"Ошибка", "12", "3", "", ""}},
        {{"Ничья", "Победа", "Поражение"}, {"Поражение", "Победа", "Ничья"}},
        {{"a", "B", "A", "b"}, {"B", "b", "A", "a"}},
        {{"-5", "2", "-40"}, {"2", "-5", "-40"}},
    };
    for (const auto& c : cases) {
        TextGrid grid = ColumnGrid(c.before);
        SortGridByIntOrTextDesc(grid, 1);
        EXPECT_EQ(BodyColumn(grid, 1), c.descending) << ::testing::PrintToString(c.before);
    }
    // Ascending: empty cells collect at the top.
    TextGrid grid = ColumnGrid({"3", "", "Стар.версия", "", "-1"});
    SortGridByIntOrTextAsc(grid, 1);
    EXPECT_EQ(BodyColumn(grid, 1), (Texts{"", "", "-1", "3", "Стар.версия"}));
}

TEST(GridSorts, AnUnreadableValueStopsTheSortAndKeepsTheExchangesMade) {
    struct Case {
        const char* name;
        Sort sort;
        Texts before;
        Texts after;  // the order reached when the error stops the sort
    };
    const Case cases[] = {
        {"error cell",
         kAllSorts[0].second,
         {"1;0", "2;0", "error;0", "4;0"},
         {"2;0", "1;0", "error;0", "4;0"}},
        {"point in a comma locale", kAllSorts[0].second, {"1", "2", "1.5"}, {"2", "1", "1.5"}},
        {"no separator", kAllSorts[1].second, {"1 / 0", "2 / 2", "7"}, {"2 / 2", "1 / 0", "7"}},
        {"side not an integer", kAllSorts[1].second, {"x / 1", "2 / 2"}, {"x / 1", "2 / 2"}},
    };
    for (const auto& c : cases) {
        TextGrid grid = ColumnGrid(c.before);
        EXPECT_THROW(c.sort(grid, 1), KordexError) << c.name;
        EXPECT_EQ(BodyColumn(grid, 1), c.after) << c.name;
        EXPECT_EQ(grid.Row(0), (Texts{"#", "title"})) << c.name;
    }
    // Next to empty cells only, the unreadable value is never converted.
    TextGrid fenced = ColumnGrid({"2", "", "error;0", "", "5"});
    EXPECT_NO_THROW(SortGridByNumberDesc(fenced, 1, kComma));
}

// The pass loop written out plainly, to check the sorts' shortcuts against it.
void ReferenceIntOrTextSort(Texts& cells, bool descending) {
    auto sortsBefore = [](const std::string& a, const std::string& b) {
        const auto x = ParseWholeNumber(a), y = ParseWholeNumber(b);
        if (x && y)
            return *x < *y;
        return CollateTexts(a, b) < 0;
    };
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (std::size_t r = 0; r + 1 < cells.size(); ++r) {
            const auto& upper = cells[r];
            const auto& lower = cells[r + 1];
            if (upper.empty() && lower.empty())
                continue;
            if (descending ? sortsBefore(upper, lower) : sortsBefore(lower, upper)) {
                std::swap(cells[r], cells[r + 1]);
                swapped = true;
            }
        }
    }
}

TEST(GridSorts, IntegerOrTextGivesThePassLoopsOrderForAnyMixOfTexts) {
    // Mixes where texts fall between integers make the order inconsistent ("1x" > "10" as
    // texts, "10" > "9" as numbers, "9" > "1x" as texts); the result must still be the one
    // the passes reach.
    const Texts pool = {"", "", "9", "10", "1x", "100", "-3", "Ошибка", "2a", "b", "B", "05", "7"};
    std::mt19937 random(12345);
    for (int round = 0; round < 400; ++round) {
        Texts cells(2 + random() % 14);
        for (auto& cell : cells)
            cell = pool[random() % pool.size()];
        for (bool descending : {true, false}) {
            TextGrid grid = ColumnGrid(cells);
            descending ? SortGridByIntOrTextDesc(grid, 1) : SortGridByIntOrTextAsc(grid, 1);
            Texts expected = cells;
            ReferenceIntOrTextSort(expected, descending);
            ASSERT_EQ(BodyColumn(grid, 1), expected)
                << ::testing::PrintToString(cells) << (descending ? " desc" : " asc");
        }
    }
}

}  // namespace
}  // namespace kordex
