#pragma once

#include <string>

#include "support/battle_fixture.h"

namespace kordex::test {

// Invented battles for pictures of the window. Every name, clan and account id is made up, so
// no real player ever appears in a picture kept in the repository. The recording player
// "Игрок01" of clan "ABC" takes part in every battle, with a changing company around him.
//
// Battle `index` (0, 1, 2, ...): its own map, time, outcome and results; company battles
// (battle type 3) unless `randomBattle`.
BattleFixture SyntheticBattle(int index, bool randomBattle = false);

// Writes the battle into the folder under a name of the game's form (date, time, vehicle,
// map) and returns the path.
std::string WriteSyntheticReplay(const std::string& folder, int index, bool randomBattle = false);

}  // namespace kordex::test
