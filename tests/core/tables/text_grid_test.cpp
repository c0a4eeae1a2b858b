#include "tables/text_grid.h"

#include <gtest/gtest.h>

namespace kordex {
namespace {

TEST(TextGrid, LoweringACountDiscardsCellsAndRaisingGivesEmptyOnes) {
    TextGrid grid(3, 3, 0, 1, 50, 16);
    grid.SetCell(2, 2, "x");
    grid.SetCell(1, 1, "y");
    grid.SetColumnCount(2);
    grid.SetRowCount(2);
    grid.SetColumnCount(3);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.Cell(2, 2), "");
    EXPECT_EQ(grid.Cell(1, 1), "y");
    EXPECT_EQ(grid.ColumnWidth(2), 50);
    EXPECT_EQ(grid.RowHeight(2), 16);
}

TEST(TextGrid, LoweringTheColumnCountAloneDiscardsCellsOfEveryRow) {
    TextGrid grid(3, 2, 0, 0, 50, 16);
    grid.SetCell(2, 0, "x");
    grid.SetColumnCount(2);
    grid.SetColumnCount(4);
    EXPECT_EQ(grid.Cell(2, 0), "");
    grid.SetCell(3, 0, "w");
    grid.SetCell(3, 1, "v");
    EXPECT_EQ(grid.Row(0), (std::vector<std::string>{"", "", "", "w"}));
    EXPECT_EQ(grid.Column(3), (std::vector<std::string>{"w", "v"}));
    EXPECT_EQ(grid.Row(1), (std::vector<std::string>{"", "", "", "v"}));
}

TEST(TextGrid, OutOfRangeCellsReadEmptyAndIgnoreWrites) {
    TextGrid grid(2, 2, 0, 0, 10, 10);
    grid.SetCell(5, 0, "lost");
    grid.SetCell(-1, 0, "lost");
    EXPECT_EQ(grid.Cell(5, 0), "");
    EXPECT_EQ(grid.Cell(0, -1), "");
}

TEST(TextGrid, SetRowFillsMissingCellsWithEmptyText) {
    TextGrid grid(3, 1, 0, 0, 10, 10);
    grid.SetRow(0, {"a", "b", "c"});
    grid.SetRow(0, {"z"});
    EXPECT_EQ(grid.Row(0), (std::vector<std::string>{"z", "", ""}));
}

}  // namespace
}  // namespace kordex
