#pragma once

#include "tables/text_grid.h"
#include "text/number_format.h"

namespace kordex {

// Row sorts over the body rows of a grid by one column: repeated adjacent-exchange passes,
// whole rows move, equal keys never swap. The numeric sorts throw KordexError on a value they
// cannot read; rows already exchanged keep their places.
void SortGridByNumberDesc(TextGrid& grid, int column, const NumberFormat& format);
void SortGridByPairSumDesc(TextGrid& grid, int column);
void SortGridByIntOrTextDesc(TextGrid& grid, int column);
void SortGridByIntOrTextAsc(TextGrid& grid, int column);

}  // namespace kordex
