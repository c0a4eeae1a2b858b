#include "window/window_tables.h"

#include <gtest/gtest.h>

namespace kordex {
namespace {

TEST(WindowTables, TeamTablesShowElevenTitledColumnsAndHideTheIds) {
    WindowTables tables;
    SetTableTitles(tables);
    for (TextGrid* grid : {&tables.AlliesGrid, &tables.EnemiesGrid}) {
        ASSERT_EQ(grid->ColumnCount(), 13);
        ASSERT_EQ(grid->RowCount(), 16);
        EXPECT_EQ(grid->Cell(0, 0), "Взв");
        EXPECT_EQ(grid->Cell(9, 0), "Гусли");
        EXPECT_EQ(grid->Cell(10, 0), "Точн.");
        for (int column = 0; column < 11; ++column) {
            EXPECT_FALSE(grid->Cell(column, 0).empty()) << column;
            EXPECT_EQ(grid->ColumnWidth(column), 50) << column;
        }
        EXPECT_EQ(grid->ColumnWidth(11), 0);
        EXPECT_EQ(grid->ColumnWidth(12), 0);
        EXPECT_EQ(grid->Font().pixelHeight, 11);
    }
}

TEST(WindowTables, SeriesTablesGetCornerTitlesAndADoubleFirstRow) {
    WindowTables tables;
    SetTableTitles(tables);
    const char* const corners[] = {"Ник\\Опыт", "Ник\\Фраги", "Ник\\Урон", "Ник\\ Свет/Гусли",
                                   "Ник\\ Выст.-Проб./Поп.(ОФ)"};
    auto grids = tables.SeriesGrids();
    for (size_t i = 0; i < grids.size(); ++i) {
        const TextGrid& grid = *grids[i];
        EXPECT_EQ(grid.ColumnCount(), 13);
        EXPECT_EQ(grid.FixedRows(), 3);
        EXPECT_EQ(grid.Cell(0, 0), "Дата");
        EXPECT_EQ(grid.Cell(0, 1), "Карта");
        EXPECT_EQ(grid.Cell(0, 2), corners[i]);
        EXPECT_EQ(grid.Cell(1, 2), "Техника");
        EXPECT_EQ(grid.Cell(1, 0), "");
        EXPECT_EQ(grid.RowHeight(0), 36);
        EXPECT_EQ(grid.RowHeight(1), 18);
    }
    EXPECT_EQ(tables.SeriesGridSummary.ColumnCount(), 12);
    EXPECT_EQ(tables.SeriesGridSummary.Cell(0, 0), "");
}

}  // namespace
}  // namespace kordex
