#pragma once

#include <string>
#include <vector>

#include "platform/clock.h"
#include "series/series_tables.h"
#include "tables/text_grid.h"

namespace kordex::test {

using GridRows = std::vector<std::vector<std::string>>;

// A table from its rows of cells, with the given number of header rows and one fixed column;
// the column count is that of the longest row.
TextGrid GridFromRows(const GridRows& rows, int fixedRows);

// The cells of one column below the fixed rows, top to bottom.
std::vector<std::string> BodyColumn(const TextGrid& grid, int column);

// The five series tables and the summary as a finished run leaves them.
struct SeriesFixture : SeriesTables {
    SeriesTables& Tables() { return *this; }
};

// Two battles of one day (a win, then a loss) and two players, the totals at the end:
//   Player_One: died with the team's best in battle 1, survived with its worst in battle 2;
//   Вася_2: a Cyrillic name whose vehicle cell holds the HTML special characters.
SeriesFixture SmallSeries();

// The columns exchanged as the option "Итого" в начало leaves them: totals and averages in
// columns 2 and 3, the first two battles at the end.
void MoveTotalsToFront(SeriesFixture& series);

// A clock standing still at 2017-05-27 21:45:07.
class FixedClock : public Clock {
  public:
    double Seconds() override { return 0; }
    LocalDateTime Now() override { return {2017, 5, 27, 21, 45, 7}; }
};

}  // namespace kordex::test
