#pragma once

#include <span>
#include <string_view>

#include "replay/client_version.h"

namespace kordex {

// A key whose name in the text differs from the name later clients write.
struct KeyRename {
    std::string_view current;  // the name of clients 9.0 and later
    std::string_view written;  // the name this layout writes
};

// How the battle results of a range of clients are laid out: one row of a table, from the
// first client that writes it up to the next row's.
struct VersionLayout {
    // The first client of the range: by ClientVersionNumber for the clients it orders (8.11
    // to 9.17.1), by the version's parts after them.
    int firstVersion;
    ClientTupleView firstClient;
    // "personal" is an object with one member per vehicle type, and each member of the
    // results' "vehicles" a one-element array holding the vehicle's object.
    bool wrapped;
    std::span<const KeyRename> renames;
    // The divisor of the premium factors: 10 for "premiumCreditsFactor10", 100 for the
    // "premiumCreditsFactor100" that replaces it.
    int premiumFactorDivisor = 10;
    // A vehicle may have no player in "players" (the bots of training rooms): its ids stay
    // empty instead of failing the join.
    bool playerlessVehicles = false;
    // "isAlive" and "isTeamKiller" may be written as 0 and 1 instead of false and true.
    bool numericFlags = false;
    // A player who hides their name is joined by "realName" of "players" as well.
    bool hiddenNames = false;

    // The name under which this layout writes a key known by its current name.
    std::string_view KeyName(std::string_view current) const;
};

// The layout of a ClientVersionNumber among the rows of 8.11 to 9.17.1: the last one whose
// range it reaches.
const VersionLayout& LayoutOf(int clientVersion);

// The layout of a client: by ClientVersionNumber for 8.11 to 9.17.1 and older, by the
// version's parts for every later client. A client newer than every row, or one whose
// version is not known, gets the newest layout.
const VersionLayout& LayoutOf(int clientVersion, const ClientTuple& client);

// The newest layout: the first client it was written for.
const VersionLayout& NewestLayout();

// The personal keys, by their current names, in the order they are read; the series reads
// one key more than the single view, the last of the list.
std::span<const std::string_view> PersonalKeyNames(bool series);
constexpr int kSinglePersonalKeyCount = 68;

// The keys of a results vehicle read into VehicleTable fields 10, 13-15, 17-20, in that order.
struct ResultsVehicleKey {
    std::string_view current;
    int field;
};
std::span<const ResultsVehicleKey> ResultsVehicleKeys();

}  // namespace kordex
