#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "replay/battle_tables.h"
#include "tables/text_grid.h"

namespace kordex {

// The columns of the team tables of the single view: a title row and 15 body rows, one vehicle
// a row. Columns 11 (clan id) and 12 (account id) are hidden; the profile links read them.
namespace team_column {
enum : int {
    Platoon = 0,
    Name = 1,
    Clan = 2,
    Vehicle = 3,
    Alive = 4,
    Kills = 5,
    Xp = 6,
    Damage = 7,
    AssistRadio = 8,
    AssistTrack = 9,
    Accuracy = 10,
    ClanId = 11,
    AccountId = 12,
};
}
constexpr int kTeamColumns = 13;
constexpr int kTeamRows = 16;

// A team table as the window builds it: its size, font, titles and hidden id columns.
TextGrid MakeTeamGrid();
// The titles of columns 0 to 10, then the id columns hidden (the start-up sequence).
void SetTeamGridTitles(TextGrid& grid);

// Appends an extreme marker to field `field` of every vehicle row: ";+1" for the highest value
// of its team, ";-1" for the lowest, ";0" otherwise; a value that is no whole number becomes
// "error;0". Each team is compared within itself, starting from its own first value; of equal
// values the earlier row is the extreme, and a row that is both ends with ";+1".
void MarkTeamExtremes(VehicleTable& vehicles, int field, std::string_view recorderTeam);

// Turns platoon ids (field 16) into numbers 1, 2, ... in the order of each platoon's first row;
// "0" (no platoon) becomes empty, ids from 1 to 30 stay. An id that is no whole number throws
// KordexError.
void NumberPlatoons(VehicleTable& vehicles);

// Hits per shot of one vehicle as a whole percentage (halves to the even neighbour); nothing
// for a vehicle that fired no shot or whose counts are no whole numbers.
std::optional<int> AccuracyPercent(const VehicleRow& vehicle);

// The accuracy of every vehicle row as "percent;marker", marked like MarkTeamExtremes marks a
// field; empty where AccuracyPercent gives nothing.
std::array<std::string, kBattleRows> MarkedAccuracy(const VehicleTable& vehicles,
                                                    std::string_view recorderTeam);

// Writes the vehicle rows into the body rows of the allies' table (team equal to recorderTeam)
// and the enemies' table (any other team), in VehicleTable order, each with its marked
// accuracy. Rows beyond a table's 15
// body rows are not shown.
void FillTeamGrids(const VehicleTable& vehicles, std::string_view recorderTeam, TextGrid& allies,
                   TextGrid& enemies);

}  // namespace kordex
