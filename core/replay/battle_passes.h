#pragma once

#include <string>
#include <string_view>

#include "replay/battle_tables.h"
#include "replay/version_layout.h"

namespace kordex {

// How a pass ended. NotJson: the whole text the pass reads does not parse as JSON (the single
// view beeps, the series marks the battle); NoObject: a per-vehicle member's text does not parse
// (the single view and the series beep); Failure: any other failure (JSON that is not an object,
// a missing key, a 31st member, a player name without a row), which the single view leaves to
// the default error handling.
enum class PassStatus { Ok, NotJson, NoObject, Failure };

struct PassResult {
    PassStatus status = PassStatus::Ok;
    std::string description;
    bool Ok() const { return status == PassStatus::Ok; }
};

// Which personal keys the results pass reads: the single view's list, or the series' list with
// "noDamageShotsReceived" / "noDamageDirectHitsReceived" after it.
enum class PersonalKeys { Single, Series };

// Header pass and final pass: fields 0, 1, 2, 3, 5, 6, 7, 8 from a per-vehicle object (the
// header's "vehicles" or VehiclesBlock), into the row holding each member's vehicle id (by
// position when none does).
PassResult VehiclesPass(std::string_view memberText, VehicleTable& vehicles,
                        const VersionLayout& layout = LayoutOf(811));

// Personal and common results, PlayersTable and fields 0, 10, 13-15, 17-20. The rows take the
// order of the results' vehicles, each keeping what the header pass put under its vehicle id.
PassResult ResultsPass(std::string_view resultsBlock, const VersionLayout& layout,
                       PersonalKeys keys, BattleTables& tables);
PassResult ResultsPass(std::string_view resultsBlock, int clientVersion, PersonalKeys keys,
                       BattleTables& tables);

// Field 9 from FragsBlock, into the row holding each member's vehicle id (by position when none
// does).
PassResult FragsPass(std::string_view fragsBlock, VehicleTable& vehicles);

// Fields 11 and 12 (and 16 for the single view) from PlayersTable, matched by name (or, where
// the layout has hidden names, by the player's "realName").
enum class JoinForm { Single, Series };
PassResult JoinPlayers(BattleTables& tables, JoinForm form,
                       const VersionLayout& layout = LayoutOf(811));

}  // namespace kordex
