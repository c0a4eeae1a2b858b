#include "tables/wheel_scroll.h"

#include <algorithm>

namespace kordex {

namespace {

constexpr int kRowsPerNotch = 3;

}  // namespace

GridScrollPosition WheelScrollStep(const GridScrollPosition& position, const GridScrollShape& shape,
                                   WheelDirection direction, bool shiftOnly) {
    const int firstBody = shape.fixedRows;
    const int lastBody = shape.rowCount - 1;
    const int lastTop = std::max(firstBody, shape.rowCount - std::max(shape.visibleRows, 1));
    const int lastLeft = std::max(shape.fixedColumns, shape.lastLeftColumn);
    GridScrollPosition next = position;

    // The handler's own scrolling.
    if (direction == WheelDirection::Down) {
        if (shiftOnly)
            next.leftColumn = std::min(next.leftColumn + 1, lastLeft);
        else if (next.topRow < lastTop)
            next.topRow = std::min(next.topRow + kRowsPerNotch, lastTop);
    } else {
        if (shiftOnly) {
            if (next.leftColumn > shape.fixedColumns)
                next.leftColumn -= 1;
        } else if (next.topRow > firstBody) {
            next.topRow = std::max(next.topRow - shape.fixedRows, firstBody);
        }
    }

    // The table's wheel handling: the current row steps once and stays in view.
    if (direction == WheelDirection::Down && next.currentRow < lastBody)
        next.currentRow += 1;
    if (direction == WheelDirection::Up && next.currentRow > firstBody)
        next.currentRow -= 1;
    if (next.currentRow >= firstBody) {
        if (next.currentRow < next.topRow)
            next.topRow = next.currentRow;
        else if (shape.visibleRows > 0 && next.currentRow >= next.topRow + shape.visibleRows)
            next.topRow = std::min(next.currentRow - shape.visibleRows + 1, lastTop);
    }
    return next;
}

}  // namespace kordex
