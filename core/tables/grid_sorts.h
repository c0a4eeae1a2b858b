#pragma once

#include "tables/text_grid.h"
#include "text/number_format.h"

namespace kordex {

// Row sorts over the body rows of a grid by one column: repeated adjacent-exchange passes,
// whole rows move, equal keys never swap. The numeric sorts throw KordexError on a value they
// cannot read; rows already exchanged keep their places.
// What an empty cell means to the number sort. Stays: it is no value and takes part in no
// comparison, so no row moves past it (a series cell of a battle the player was not in).
// Zero: it is the value 0 (a kills count of none); a row empty in every column holds nothing
// and still stays where it is.
enum class EmptyCells { Stay, Zero };

void SortGridByNumberDesc(TextGrid& grid, int column, const NumberFormat& format,
                          EmptyCells empty = EmptyCells::Stay);
void SortGridByPairSumDesc(TextGrid& grid, int column);
void SortGridByIntOrTextDesc(TextGrid& grid, int column);
void SortGridByIntOrTextAsc(TextGrid& grid, int column);

}  // namespace kordex
