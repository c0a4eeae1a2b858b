#pragma once

#include <map>
#include <string>

#include "tables/text_grid.h"

namespace kordex::test {

// The body rows of a team table that hold a player's name.
int BodyRowsFilled(const TextGrid& grid);

// Whether the players of a team table stand by experience, largest first (empty cells apart).
bool SortedByExperience(const TextGrid& grid);

// The extreme markers ("+1", "-1", "0") of one column's body cells, counted.
std::map<std::string, int> MarkerCounts(const TextGrid& grid, int column);

}  // namespace kordex::test
