#pragma once

#include <string_view>

#include "tables/cell_style.h"

namespace kordex {

// The drawing of one cell of the replay library lists (`sg_AllReplays`, `sg_FavoriteReplays`),
// over a rectangle one pixel wider on each side: a selected cell on the active caption's
// gradient colour; otherwise a cell with text on white, the title row on the button face,
// "Исход" (column 6) in the outcome's light colour, and "Ошибка" or "Стар.версия" on grey.
// An empty cell that is not selected keeps the table's own drawing.
CellStyle LibraryListCellStyle(int column, int row, std::string_view text, bool selected);

}  // namespace kordex
