#pragma once

#include <string_view>

#include "tables/cell_style.h"
#include "tables/table_identity.h"
#include "tables/text_grid.h"

namespace kordex {

// What a column of a series table holds.
enum class SeriesColumn { Names, Vehicles, Battle, Total, Average };

// The kind of a column, read from the table itself: the total and average columns carry
// "Суммарно" and "В среднем" in row 0, wherever the run put them; every other column from 2
// on is a battle.
SeriesColumn SeriesColumnOf(const TextGrid& grid, int column);

// True when the total and average columns stand at the front (columns 2 and 3), as the run
// puts them with "Итого" в начало. Read from the table rather than from the option, which may
// have changed since the run.
bool TotalsAtFront(const TextGrid& grid);

// The drawing of one cell of the series tables (`SeriesGridExpDrawCell` for experience, frags,
// damage and support; `SeriesGridShotsDrawCell` for shooting):
// - row 2 of the battle columns (and of the total columns when they stand at the front): the
//   outcome's colour, the text at the top-left corner;
// - row 0: the title on the button face, a "date;time" title as two lines;
// - marked body cells: the alive marker's background, the extreme marker's text colour
//   (always black in the shooting table), only the value shown.
// The summary table, empty cells and everything else keep the table's own drawing.
// `fontPixelHeight` places the second line of a title.
CellStyle SeriesTableCellStyle(SeriesTable table, SeriesColumn column, bool totalsAtFront, int row,
                               std::string_view text, int fontPixelHeight);

// The same, with the column kind, layout and font taken from the table.
CellStyle SeriesTableCellStyle(SeriesTable table, const TextGrid& grid, int column, int row);

}  // namespace kordex
