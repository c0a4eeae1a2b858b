#pragma once

#include "platform/desktop.h"
#include "tables/text_grid.h"

namespace kordex {

// Sets the widths of a team table's shown columns (0 to 10) for a table `width` pixels wide
// inside its frame. The tables have no scroll bar, so every column must fit: columns 0 to 5
// take their texts' widths, the value columns 6 to 10 the table's default width; where that
// is too wide, the value columns first give up the room their shown values do not need, then
// the name and vehicle columns give way, the wider one first, but never below their titles.
// The hidden id columns stay hidden.
void FitTeamColumnsToWidth(TextGrid& grid, int width, Desktop& desktop);

}  // namespace kordex
