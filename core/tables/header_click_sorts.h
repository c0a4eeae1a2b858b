#pragma once

#include "tables/library_sort_state.h"
#include "tables/table_identity.h"
#include "tables/text_grid.h"
#include "text/number_format.h"

namespace kordex {

// The sort a click on a title cell runs; None when that click does nothing.
enum class HeaderSort {
    None,
    NumberDesc,
    NumberDescEmptyAsZero,  // an empty cell of a filled row counts as 0
    PairSumDesc,
    IntOrTextDesc,
    IntOrTextAsc,
    NamesAsc,  // names in dictionary order, rows without a name kept below them
};

// Team tables of the single view: the titles "Убил" to "Точн." (columns 5 to 10) of the title
// row sort by number, an empty cell of a player's row (no kills, no shots) as 0; every other
// title does nothing.
HeaderSort TeamTableHeaderSort(int column, int row);

// Series tables experience, frags, damage and support, any of their header rows: the total
// and average columns ("Суммарно", "В среднем" in row 0) always sort, a battle column only
// while players are grouped by battles (MultiGroupPlayers), columns 0 and 1 never. Support
// sorts by the sum of its pairs. The shooting table does not sort.
HeaderSort SeriesTableHeaderSort(SeriesTable table, const TextGrid& grid, int column, int row,
                                 bool multiGroupPlayers);

// Summary table, title row only (twelve columns): the support columns 4 and 8 by the sum of
// their pairs, the names of column 0 alphabetically (they are not numbers), every other column,
// the attendance too, by number.
HeaderSort SummaryTableHeaderSort(int column, int row);

// Runs a sort on one grid by the column. The numeric sorts throw KordexError on a value they
// cannot read, after keeping the rows already exchanged.
void ApplyHeaderSort(HeaderSort sort, TextGrid& grid, int column, const NumberFormat& format);

// The click handlers' work. Each gives true when it sorted something.

// Both team tables are sorted, the allies first, whichever of them was clicked.
bool SortTeamTablesByHeader(TextGrid& allies, TextGrid& enemies, int column, int row,
                            const NumberFormat& format);

// Only the clicked series table is sorted.
bool SortSeriesTableByHeader(SeriesTable table, TextGrid& grid, int column, int row,
                             bool multiGroupPlayers, const NumberFormat& format);

bool SortSummaryTableByHeader(TextGrid& summary, int column, int row, const NumberFormat& format);

// A title click on either library list: the shared state picks the direction, then the
// clicked list is sorted by integer or text. Clicks below the title row do nothing.
bool SortLibraryListByHeader(LibrarySortState& state, TextGrid& list, int column, int row);

}  // namespace kordex
