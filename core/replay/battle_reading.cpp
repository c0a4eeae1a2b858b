#include "replay/battle_reading.h"

#include <utility>

namespace kordex {

namespace {

ReadFault FaultOf(PassStatus status) {
    switch (status) {
        case PassStatus::Ok:
            return ReadFault::None;
        case PassStatus::NotJson:
            return ReadFault::NotJson;
        case PassStatus::NoObject:
            return ReadFault::NoObject;
        case PassStatus::Failure:
            return ReadFault::Failure;
    }
    return ReadFault::Failure;
}

// Runs the stages one after the other; each returns false when the read ends there.
class Reading {
  public:
    Reading(BattleRead& read, const BattleReadRequest& request) : r_(read), q_(request) {}

    // Each stage runs when the caller asked for it and every stage before it succeeded.
    // The read is a new one: its tables are empty.
    void Run() {
        BattleTables& t = r_.tables;
        const ReplayBlocks& b = r_.blocks;
        (void)(Stage(ReadStage::Header, [&] { return Header(); }) &&
               Stage(ReadStage::Version, [&] { return Version(); }) &&
               Stage(ReadStage::HeaderVehicles, [&] { return HeaderVehicles(); }) &&
               Stage(ReadStage::Completeness, [&] { return Completeness(); }) &&
               Stage(ReadStage::Results,
                     [&] { return Pass(ResultsPass(b.ResultsBlock, *r_.layout, q_.keys, t)); }) &&
               Stage(ReadStage::Frags, [&] { return Pass(FragsPass(b.FragsBlock, t.vehicles)); }) &&
               Stage(ReadStage::Final,
                     [&] { return Pass(VehiclesPass(b.VehiclesBlock, t.vehicles, *r_.layout)); }) &&
               // Joined by the names of the final pass: clan battles name only one team in the
               // header.
               Stage(ReadStage::Join, [&] { return Pass(JoinPlayers(t, q_.join, *r_.layout)); }));
    }

  private:
    template <typename Step>
    bool Stage(ReadStage stage, Step step) {
        if (stage > q_.last)
            return false;
        r_.stage = stage;
        return step();
    }

    bool Fail(ReadFault fault, std::string description) {
        r_.fault = fault;
        r_.description = std::move(description);
        return false;
    }

    bool Pass(const PassResult& result) {
        if (result.Ok())
            return true;
        return Fail(FaultOf(result.status), result.description);
    }

    bool Header() {
        r_.header = ParseBattleHeader(r_.blocks.HeaderBlock, q_.vehicles);
        if (r_.header.ok) {
            r_.layout = &LayoutOf(r_.header.header.clientVersion, r_.header.header.client);
            return true;
        }
        return Fail(r_.header.notJson ? ReadFault::NotJson : ReadFault::Failure, r_.header.failure);
    }

    bool Version() {
        const BattleHeader& header = r_.header.header;
        if (!q_.analysis || IsClientAccepted(header, *q_.analysis))
            return true;
        return Fail(ReadFault::OldVersion,
                    "client version " + std::to_string(header.clientVersion) + " is not taken");
    }

    bool HeaderVehicles() {
        if (q_.vehicles == VehiclesText::Skip)
            return true;
        return Pass(VehiclesPass(r_.header.header.vehiclesText, r_.tables.vehicles, *r_.layout));
    }

    bool Completeness() {
        if (IsBattleComplete(r_.blocks))
            return true;
        return Fail(ReadFault::Unfinished, "the battle results are absent");
    }

    BattleRead& r_;
    const BattleReadRequest& q_;
};

}  // namespace

BattleRead ReadBattle(const std::string& path, const BattleReadRequest& request) {
    auto blocks = ReadReplayBlocks(path, request.variant);
    if (!blocks) {
        BattleRead read;
        read.fault = ReadFault::CannotOpen;
        read.description = "the file cannot be opened for reading";
        return read;
    }
    return ReadBattleBlocks(std::move(*blocks), request);
}

BattleRead ReadBattleBlocks(ReplayBlocks blocks, const BattleReadRequest& request) {
    BattleRead read;
    read.blocks = std::move(blocks);
    Reading(read, request).Run();
    return read;
}

const char* ReadStageName(ReadStage stage) {
    switch (stage) {
        case ReadStage::Blocks:
            return "ReadReplayBlocks";
        case ReadStage::Header:
            return "ParseBattleHeader";
        case ReadStage::Version:
            return "version";
        case ReadStage::HeaderVehicles:
            return "header pass";
        case ReadStage::Completeness:
            return "IsBattleComplete";
        case ReadStage::Results:
            return "results pass";
        case ReadStage::Frags:
            return "frags pass";
        case ReadStage::Join:
            return "players join";
        case ReadStage::Final:
            return "final pass";
    }
    return "";
}

}  // namespace kordex
