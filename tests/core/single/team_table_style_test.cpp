#include "single/team_table_style.h"

#include <gtest/gtest.h>

#include "support/drawn_style.h"

namespace kordex {
namespace {

using test::Drawn;

TEST(TeamTableCellStyle, AliveAndMarkedColumnsAndNothingElse) {
    struct Case {
        int column;
        int row;
        const char* text;
        CellStyle expected;
    };
    const Case cases[] = {
        {4, 1, "+", Drawn(colours::kLightGreen, {}, {{"+", 5, 0}})},
        {4, 2, "-", Drawn(colours::kLightRed, {}, {{"-", 5, 0}})},
        {6, 1, "1200;+1", Drawn({}, Rgb{0, 128, 0}, {{"1200", 2, 2}})},
        {7, 3, "420;-1", Drawn({}, Rgb{255, 0, 0}, {{"420", 2, 2}})},
        {8, 2, "0;0", Drawn({}, Rgb{0, 0, 0}, {{"0", 2, 2}})},
        {9, 15, "error;0", Drawn({}, Rgb{0, 0, 0}, {{"error", 2, 2}})},
        // Another number chooses no colour; a value without a marker shows as it is.
        {6, 1, "850;5", Drawn({}, {}, {{"850", 2, 2}})},
        {6, 1, "850", Drawn({}, {}, {{"850", 2, 2}})},
        // The title row, empty cells and the other columns keep the table's drawing.
        {6, 0, "Опыт", {}},
        {4, 0, "Жив", {}},
        {4, 1, "", {}},
        {7, 1, "", {}},
        {1, 1, "Игрок", {}},
        {5, 1, "3", {}},
        {10, 2, "67;+1", Drawn({}, Rgb{0, 128, 0}, {{"67", 2, 2}})},
        {11, 1, "500001", {}},
        {12, 1, "12345", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TeamTableCellStyle(c.column, c.row, c.text), c.expected)
            << c.column << "," << c.row << " " << c.text;
}

TEST(TeamTableCellStyle, TheRecordersRowIsBoldInEveryShownCell) {
    struct Case {
        int column;
        const char* text;
        CellStyle expected;
    };
    auto bold = [](CellStyle style) {
        style.bold = true;
        return style;
    };
    const Case cases[] = {
        {1, "Игрок", bold(Drawn({}, {}, {{"Игрок", 2, 2}}))},
        {4, "+", bold(Drawn(colours::kLightGreen, {}, {{"+", 5, 0}}))},
        {5, "3", bold(Drawn({}, {}, {{"3", 2, 2}}))},
        {6, "850;-1", bold(Drawn({}, Rgb{255, 0, 0}, {{"850", 2, 2}}))},
        {5, "", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TeamTableCellStyle(c.column, 3, c.text, true), c.expected) << c.column;
    EXPECT_EQ(TeamTableCellStyle(1, 0, "Ник", true), CellStyle{});

    TextGrid grid(13, 4, 0, 1, 50, 16);
    grid.SetCell(1, 0, "Me");
    grid.SetCell(1, 2, "Me");
    grid.SetCell(1, 3, "Other");
    EXPECT_FALSE(IsRecorderRow(grid, 0, "Me"));  // the title row
    EXPECT_TRUE(IsRecorderRow(grid, 2, "Me"));
    EXPECT_FALSE(IsRecorderRow(grid, 3, "Me"));
    EXPECT_FALSE(IsRecorderRow(grid, 1, ""));  // an empty row after a failed analysis
}

TEST(TeamTableCellStyle, AnUnreadableMarkerLeavesTheCellToTheTableAndSaysWhy) {
    for (const char* text : {"850;x", "850;", "850;+1;true"}) {
        const auto style = TeamTableCellStyle(6, 1, text);
        EXPECT_FALSE(style.custom) << text;
        EXPECT_FALSE(style.failure.empty()) << text;
    }
}

}  // namespace
}  // namespace kordex
