#pragma once

#include <string_view>

#include "tables/cell_style.h"
#include "tables/text_grid.h"

namespace kordex {

// The drawing of one cell of the team tables (`AlliesGrid`, `EnemiesGrid`; both alike):
// "Жив" (column 4) on light green for "+" and light red otherwise; the values of "Опыт" to
// "Точн." (columns 6 to 10) without their extreme marker, in the marker's colour. Every cell of
// the recording player's row is bold, so that players find themselves at a glance. The title
// row, empty cells and all other cells keep the table's own drawing.
CellStyle TeamTableCellStyle(int column, int row, std::string_view text, bool recorderRow = false);

// Whether a body row of a team table is the recording player's (the header's playerName).
bool IsRecorderRow(const TextGrid& grid, int row, std::string_view recorderName);

}  // namespace kordex
