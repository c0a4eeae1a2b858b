#pragma once

#include <string>
#include <vector>

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

// Three fixture battles of the same two teams, 28.03.2017 at 16:41, 16:42 and 16:43, written
// into the folder as b1.wotreplay to b3.wotreplay; their paths in that order.
std::vector<std::string> WriteThreeBattles(const std::string& folder);

}  // namespace kordex::test
