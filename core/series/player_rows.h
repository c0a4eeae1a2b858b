#pragma once

#include <array>
#include <string>
#include <string_view>

#include "replay/battle_tables.h"
#include "series/series_tables.h"

namespace kordex {

// The recording player's side of one battle: VehicleTable rows of that team, in VehicleTable
// order; rows after the last player have an empty field 0.
inline constexpr int kAlliesRows = 15;
using AlliesTable = std::array<VehicleRow, kAlliesRows>;

void ResetAlliesTable(AlliesTable& allies);

// Copies the rows of the recorder's team into the AlliesTable and rewrites field 6 of the
// VehicleTable to "1" for that team and "0" for every other row, as the battle log reads it.
// False when the team has more than 15 vehicles; the rows up to the 15th are filled then.
bool BuildAlliesTable(VehicleTable& vehicles, AlliesTable& allies, std::string_view recorderTeam);

// Marks the side's lowest value of a field with ";-1", the highest with ";+1", the others with
// ";0"; a value that is not a whole number becomes "error;0" and takes no part.
void MarkAlliesExtremes(AlliesTable& allies, int field);
// The same for the support pair: the marker belongs to the sum of fields 14 and 15 and follows
// field 15; empty assistance values become "0".
void MarkAlliesSupportExtremes(AlliesTable& allies);

// The texts one marked AlliesTable row writes into its battle column of the five series grids,
// in the order Exp, Frags, Damage, Support, Shots.
std::array<std::string, 5> SeriesBattleCells(const VehicleRow& row);

// Writes the AlliesTable into battle column count + 2, one row per player found by name
// (letter case ignored) or made at the first free row.
void AlliesInfoToGrids(SeriesTables& tables, const AlliesTable& allies, int count, int startRow);
// The same without matching: every battle adds its own block of rows.
void AlliesInfoToGridsGroupped(SeriesTables& tables, const AlliesTable& allies, int count);

}  // namespace kordex
