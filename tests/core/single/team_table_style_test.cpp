#include "single/team_table_style.h"

#include <gtest/gtest.h>

namespace kordex {
namespace {

CellStyle Drawn(std::optional<Colour> background, std::optional<Rgb> text, TextLine line) {
    CellStyle style;
    style.custom = true;
    style.background = background;
    style.textColour = text;
    style.lines = {std::move(line)};
    return style;
}

TEST(TeamTableCellStyle, AliveAndMarkedColumnsAndNothingElse) {
    struct Case {
        int column;
        int row;
        const char* text;
        CellStyle expected;
    };
    const Case cases[] = {
        {4, 1, "+", Drawn(colours::kLightGreen, {}, {"+", 5, 0})},
        {4, 2, "-", Drawn(colours::kLightRed, {}, {"-", 5, 0})},
        {6, 1, "1200;+1", Drawn({}, Rgb{0, 128, 0}, {"1200", 2, 2})},
        {7, 3, "420;-1", Drawn({}, Rgb{255, 0, 0}, {"420", 2, 2})},
        {8, 2, "0;0", Drawn({}, Rgb{0, 0, 0}, {"0", 2, 2})},
        {9, 15, "error;0", Drawn({}, Rgb{0, 0, 0}, {"error", 2, 2})},
        // Another number chooses no colour; a value without a marker shows as it is.
        {6, 1, "850;5", Drawn({}, {}, {"850", 2, 2})},
        {6, 1, "850", Drawn({}, {}, {"850", 2, 2})},
        // The title row, empty cells and the other columns keep the table's drawing.
        {6, 0, "Опыт", {}},
        {4, 0, "Жив", {}},
        {4, 1, "", {}},
        {7, 1, "", {}},
        {1, 1, "Игрок", {}},
        {5, 1, "3", {}},
        {10, 1, "12345", {}},
        {11, 1, "500;+1", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TeamTableCellStyle(c.column, c.row, c.text), c.expected)
            << c.column << "," << c.row << " " << c.text;
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
