#pragma once

#include "series/series_tables.h"
#include "text/number_format.h"

namespace kordex {

// A quotient rounded to the nearest integer, halves to the even neighbour (12.5 gives 12).
long long RoundHalfEven(double value);

// Appends the total column "Суммарно" and the average column "В среднем" to the experience,
// frags or damage grid, with the battle and win counts in row 2.
void AppendTotalColumns(TextGrid& grid, const NumberFormat& format);
// The same for the support grid: pair totals, and pair averages over the battles with support.
void AppendPairTotalColumns(TextGrid& grid);
// The same for the shooting grid: the four shooting numbers summed and averaged.
void AppendShotsTotalColumns(TextGrid& grid, const NumberFormat& format);

// The totals of all five grids, and the battle count line of the experience grid copied into the
// support grid, whose own totals carry none.
void AppendSeriesTotals(SeriesTables& tables, const NumberFormat& format);

// Puts the total and average columns at columns 2 and 3 of every series grid; the battles follow
// in their own order.
void MoveTotalsToFront(SeriesTables& tables);

// Drops the rows without a player at the bottom of the five grids; the header rows stay.
void RemoveTrailingEmptyRows(SeriesTables& tables);

// Fills "Итого" with the names and the totals and averages of four grids, in their row order,
// from wherever the run put the total columns, and after them each player's battles ("Боёв"),
// wins ("Побед") and win percentage ("% побед", half to even).
void FillSummaryGrid(SeriesTables& tables);

}  // namespace kordex
