#include "library/library_list_style.h"

#include <gtest/gtest.h>

#include "support/drawn_style.h"

namespace kordex {
namespace {

// Every cell the list draws is widened by a pixel over the grid lines.
CellStyle Drawn(Colour background, TextLine line) {
    return test::Drawn(background, {}, {std::move(line)}, 1);
}

TEST(LibraryListCellStyle, BackgroundsBySelectionTitleOutcomeAndFailure) {
    struct Case {
        int column;
        int row;
        const char* text;
        bool selected;
        CellStyle expected;
    };
    const auto caption = SystemColour::GradientActiveCaption;
    const Case cases[] = {
        {2, 3, "Игрок", true, Drawn(caption, {"Игрок", 2, 2})},
        {6, 3, "Победа", true, Drawn(caption, {"Победа", 2, 2})},
        {5, 3, "", true, Drawn(caption, {"", 2, 2})},
        {5, 3, "", false, {}},
        {0, 0, "Время", false, Drawn(SystemColour::ButtonFace, {"Время"})},
        {6, 0, "Исход", false, Drawn(SystemColour::ButtonFace, {"Исход"})},
        {6, 1, "Победа", false, Drawn(Rgb{0xD8, 0xFF, 0xD8}, {"Победа"})},
        {6, 2, "Ничья", false, Drawn(Rgb{0xFF, 0xFF, 0xD8}, {"Ничья"})},
        {6, 3, "Поражение", false, Drawn(Rgb{0xFF, 0xD8, 0xD8}, {"Поражение"})},
        {6, 4, "Ошибка", false, Drawn(Rgb{0xDB, 0xDB, 0xDB}, {"Ошибка"})},
        {0, 4, "Стар.версия", false, Drawn(Rgb{0xDB, 0xDB, 0xDB}, {"Стар.версия"})},
        {3, 1, "Победа", false, Drawn(colours::kWhite, {"Победа"})},
        {9, 1, "1234", false, Drawn(colours::kWhite, {"1234"})},
        {20, 1, "C:\\replays\\a.wotreplay", false,
         Drawn(colours::kWhite, {"C:\\replays\\a.wotreplay"})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LibraryListCellStyle(c.column, c.row, c.text, c.selected), c.expected)
            << c.column << "," << c.row << " " << c.text;
}

}  // namespace
}  // namespace kordex
