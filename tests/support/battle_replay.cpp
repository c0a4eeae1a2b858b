#include "support/battle_replay.h"

namespace kordex::test {

ReplayFixture ReplayOf(const BattleJsonTexts& texts) {
    ReplayFixture replay;
    replay.header = texts.header;
    replay.results = texts.results;
    replay.vehicles = texts.vehicles;
    replay.frags = texts.frags;
    return replay;
}

ReplayFixture ReplayOf(const BattleFixture& battle) {
    return ReplayOf(battle.Texts());
}

void WriteBattleReplay(const std::string& path, const BattleFixture& battle) {
    WriteReplayFile(path, ReplayOf(battle));
}

ReplayFixture LeftEarlyReplayOf(const BattleFixture& battle) {
    ReplayFixture replay;
    replay.header = battle.HeaderJson();
    return replay;
}

void WriteLeftEarlyReplay(const std::string& path, const BattleFixture& battle) {
    WriteReplayFile(path, LeftEarlyReplayOf(battle));
}

}  // namespace kordex::test
