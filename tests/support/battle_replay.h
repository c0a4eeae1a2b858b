#pragma once

#include <string>

#include "support/battle_fixture.h"
#include "support/replay_fixture.h"

namespace kordex::test {

// The replay file of a fixture battle, as the game writes a finished battle; the texts may be
// a battle's own or edited ones.
ReplayFixture ReplayOf(const BattleJsonTexts& texts);
ReplayFixture ReplayOf(const BattleFixture& battle);
void WriteBattleReplay(const std::string& path, const BattleFixture& battle);

// The replay of a battle its recorder left early: the battle's header, no results.
ReplayFixture LeftEarlyReplayOf(const BattleFixture& battle);
void WriteLeftEarlyReplay(const std::string& path, const BattleFixture& battle);

}  // namespace kordex::test
