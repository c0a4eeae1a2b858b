#pragma once

namespace kordex {

// Where a scrollable table stands: its first visible body row and column and its current row.
struct GridScrollPosition {
    int topRow = 0;
    int leftColumn = 0;
    int currentRow = 0;

    friend bool operator==(const GridScrollPosition&, const GridScrollPosition&) = default;
};

// The table's shape as the wheel rule needs it.
struct GridScrollShape {
    int rowCount = 0;
    int fixedRows = 0;
    int visibleRows = 0;  // body rows fully in view
    int fixedColumns = 0;
    int lastLeftColumn = 0;  // the furthest the table can scroll to the right
};

enum class WheelDirection { Down, Up };

// One wheel notch over the series tables, the summary table and the library list:
// - down: 3 rows further, unless already at the last scroll position; with Shift alone one
//   column to the right;
// - up: back by as many rows as the table has header rows, unless at the first body row; with
//   Shift alone one column to the left, unless at the first scrollable column;
// and then, as the table's own wheel handling does, the current row moves one row in the
// wheel's direction and the table scrolls just enough to keep it in view. Neither step goes
// past the ends: header rows never scroll into the body area.
// The window applies the result in place of its toolkit's own wheel scrolling.
GridScrollPosition WheelScrollStep(const GridScrollPosition& position, const GridScrollShape& shape,
                                   WheelDirection direction, bool shiftOnly);

}  // namespace kordex
