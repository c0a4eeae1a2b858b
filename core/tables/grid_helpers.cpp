#include "tables/grid_helpers.h"

#include <algorithm>

namespace kordex {

void ClearTableBody(TextGrid& grid) {
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row)
        for (int column = 0; column < grid.ColumnCount(); ++column)
            grid.SetCell(column, row, {});
}

int FitColumnWidth(const TextGrid& grid, int column, Desktop& desktop) {
    // Room for the grid line and a little padding around the widest text.
    constexpr int kPadding = 7;
    int widest = 0;
    for (int row = 0; row < grid.RowCount(); ++row)
        widest = std::max(widest, desktop.TextWidth(grid.Cell(column, row), grid.Font()));
    return widest + grid.LineWidth() + kPadding;
}

}  // namespace kordex
