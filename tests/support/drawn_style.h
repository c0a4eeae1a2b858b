#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "tables/cell_style.h"

namespace kordex::test {

// The style of a cell its table's handler draws itself: the fill, the text colour and the
// lines, and the pixels the rectangle is widened over the grid lines.
inline CellStyle Drawn(std::optional<Colour> background, std::optional<Rgb> text,
                       std::vector<TextLine> lines, int widen = 0) {
    CellStyle style;
    style.custom = true;
    style.background = background;
    style.textColour = text;
    style.lines = std::move(lines);
    style.widen = widen;
    return style;
}

}  // namespace kordex::test
