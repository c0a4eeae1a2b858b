#pragma once

#include "tables/text_grid.h"

namespace kordex::test {

// The body rows of a team table that hold a player's name.
int BodyRowsFilled(const TextGrid& grid);

// Whether the players of a team table stand by experience, largest first (empty cells apart).
bool SortedByExperience(const TextGrid& grid);

}  // namespace kordex::test
