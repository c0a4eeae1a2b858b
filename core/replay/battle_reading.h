#pragma once

#include <optional>
#include <string>

#include "replay/battle_header.h"
#include "replay/battle_passes.h"
#include "replay/battle_tables.h"
#include "replay/block_reader.h"
#include "replay/version_layout.h"

namespace kordex {

// The steps of reading one battle, in their order.
enum class ReadStage {
    Blocks,          // ReadReplayBlocks
    Header,          // ParseBattleHeader
    Version,         // the calling analysis' acceptance of the client
    HeaderVehicles,  // the header pass over the header's "vehicles"
    Completeness,    // IsBattleComplete
    Results,         // the results pass
    Frags,           // the frags pass
    Final,           // the final pass over VehiclesBlock
    Join,            // the players join, by the names the final pass wrote
};

// How a stage failed. The pass statuses keep their meaning (PassStatus).
enum class ReadFault {
    None,
    CannotOpen,  // the file cannot be opened
    NotJson,     // a whole text the stage reads is not JSON (also the header's text)
    NoObject,    // a per-vehicle member is not JSON
    Failure,     // any other failure: a missing key, JSON that is no object, a 31st member
    OldVersion,  // the analysis does not take this client
    Unfinished,  // the replay holds no battle results
};

// What the caller asks for: the reading variant and the analysis whose rules apply.
struct BattleReadRequest {
    ReadingVariant variant = ReadingVariant::List;
    // Whose acceptance rule the version stage applies; none: every client is read.
    std::optional<Analysis> analysis = Analysis::Series;
    PersonalKeys keys = PersonalKeys::Series;
    JoinForm join = JoinForm::Series;
    // The library shows no vehicles: it skips the header's vehicles and stops after the
    // completeness test, reading its own few results.
    VehiclesText vehicles = VehiclesText::Keep;
    ReadStage last = ReadStage::Join;
};

// One battle as far as it could be read. A failed read keeps everything the stages before
// the failure filled.
struct BattleRead {
    ReadStage stage = ReadStage::Blocks;  // the stage that failed, or the last one run
    ReadFault fault = ReadFault::None;
    std::string description;  // what failed, for messages and the CLI
    ReplayBlocks blocks;
    HeaderParse header;
    const VersionLayout* layout = &NewestLayout();  // the layout of the client, once known
    BattleTables tables;

    bool Ok() const { return fault == ReadFault::None; }
    // True when the read failed at this stage.
    bool FailedAt(ReadStage at) const { return !Ok() && stage == at; }
};

// Reads the replay at path through every stage up to request.last, stopping at the first
// failure.
BattleRead ReadBattle(const std::string& path, const BattleReadRequest& request);

// The same for blocks already cut (the fuzzers and tests hand them in).
BattleRead ReadBattleBlocks(ReplayBlocks blocks, const BattleReadRequest& request);

// The stage's name as the CLI writes it: "header pass", "results pass" and so on.
const char* ReadStageName(ReadStage stage);

}  // namespace kordex
