#pragma once

#include <string_view>

#include "tables/cell_style.h"

namespace kordex {

// The drawing of one cell of the team tables (`AlliesGrid`, `EnemiesGrid`; both alike):
// "Жив" (column 4) on light green for "+" and light red otherwise; the values of "Опыт" to
// "Гусли" (columns 6 to 9) without their extreme marker, in the marker's colour. The title row,
// empty cells and all other columns keep the table's own drawing.
CellStyle TeamTableCellStyle(int column, int row, std::string_view text);

}  // namespace kordex
