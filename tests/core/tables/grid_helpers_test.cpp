#include "tables/grid_helpers.h"

#include <gtest/gtest.h>

#include "platform/headless_desktop.h"

namespace kordex {
namespace {

TEST(ClearTableBody, EmptiesEveryBodyCellAndKeepsTheTitles) {
    TextGrid grid(3, 4, 1, 2, 64, 18);
    for (int row = 0; row < 4; ++row)
        grid.SetRow(row, {"a" + std::to_string(row), "b", "c"});
    grid.SetColumnWidth(1, 0);
    ClearTableBody(grid);
    EXPECT_EQ(grid.Row(0), (std::vector<std::string>{"a0", "b", "c"}));
    EXPECT_EQ(grid.Row(1), (std::vector<std::string>{"a1", "b", "c"}));
    for (int row = 2; row < 4; ++row)
        EXPECT_EQ(grid.Row(row), (std::vector<std::string>{"", "", ""})) << row;
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.ColumnWidth(1), 0);
}

TEST(FitColumnWidth, TakesTheWidestTextOfAllRowsInTheGridsFont) {
    // The headless desktop measures 7 pixels a character, Cyrillic letters included.
    HeadlessDesktop desktop;
    TextGrid grid(2, 3, 0, 1, 64, 18);
    grid.SetRow(0, {"Ник", "Взв"});
    grid.SetRow(1, {"Игрок", "1"});
    grid.SetRow(2, {"1200;+1;true", ""});
    EXPECT_EQ(FitColumnWidth(grid, 0, desktop), 12 * 7 + 1 + 7);  // markers are measured too
    EXPECT_EQ(FitColumnWidth(grid, 1, desktop), 3 * 7 + 1 + 7);   // the title row counts

    TextGrid empty(1, 2, 0, 1, 64, 18);
    EXPECT_EQ(FitColumnWidth(empty, 0, desktop), 1 + 7);
}

}  // namespace
}  // namespace kordex
