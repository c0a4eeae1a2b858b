#include "library/library_list_style.h"

#include <string>

namespace kordex {

namespace {

constexpr int kOutcomeColumn = 6;

}  // namespace

CellStyle LibraryListCellStyle(int column, int row, std::string_view text, bool selected) {
    CellStyle style;
    if (selected) {
        style.custom = true;
        style.widen = 1;
        style.background = SystemColour::GradientActiveCaption;
        style.lines = {{std::string(text), 2, 2}};
        return style;
    }
    if (text.empty())
        return style;

    Colour background = colours::kWhite;
    if (row == 0)
        background = SystemColour::ButtonFace;
    if (column == kOutcomeColumn && row > 0) {
        if (text == "Победа")
            background = colours::kLightGreen;
        else if (text == "Ничья")
            background = colours::kLightYellow;
        else if (text == "Поражение")
            background = colours::kLightRed;
    }
    if (text == "Ошибка" || text == "Стар.версия")
        background = colours::kGrey;

    style.custom = true;
    style.widen = 1;
    style.background = background;
    style.lines = {{std::string(text), 0, 0}};
    return style;
}

}  // namespace kordex
