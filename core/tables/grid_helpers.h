#pragma once

#include "platform/desktop.h"
#include "tables/text_grid.h"

namespace kordex {

// Empties every cell below the fixed rows; the fixed rows keep their titles.
void ClearTableBody(TextGrid& grid);

// The greatest text width of the column's cells (fixed rows included) in the grid's font,
// plus the grid's line width, plus 7.
int FitColumnWidth(const TextGrid& grid, int column, Desktop& desktop);

}  // namespace kordex
