#pragma once

#include <span>
#include <string_view>

namespace kordex {

// A key whose name in the text differs from the name later clients write.
struct KeyRename {
    std::string_view current;  // the name of clients 9.0 and later
    std::string_view written;  // the name this layout writes
};

// How the battle results of a range of clients are laid out.
struct VersionLayout {
    int firstVersion;  // the first ClientVersionNumber of the range
    // "personal" is an object with one member per vehicle type, and each member of the
    // results' "vehicles" a one-element array holding the vehicle's object.
    bool wrapped;
    std::span<const KeyRename> renames;

    // The name under which this layout writes a key known by its current name.
    std::string_view KeyName(std::string_view current) const;
};

// The layout of a ClientVersionNumber: the last one whose range it reaches.
const VersionLayout& LayoutOf(int clientVersion);

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
