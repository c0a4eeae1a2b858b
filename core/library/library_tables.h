#pragma once

#include <string>
#include <vector>

#include "tables/text_grid.h"

namespace kordex {

// The columns of both library tables, one row per replay file.
namespace library_column {
enum : int {
    Time = 0,
    Map = 1,
    Player = 2,
    Vehicle = 3,
    BattleType = 4,
    Mode = 5,
    Outcome = 6,
    Survived = 7,
    Mastery = 8,
    Xp = 9,
    OriginalXp = 10,
    Damage = 11,
    Kills = 12,
    AssistRadio = 13,
    AssistTrack = 14,
    Credits = 15,
    Repair = 16,
    AmmoCost = 17,
    EquipmentCost = 18,
    NetProfit = 19,
    Path = 20,
};
}
constexpr int kLibraryColumns = 21;

// The subfolder of a replay's folder that holds the favourites.
inline constexpr const char* kFavoritesFolderName = "[Избранное]";

// A library table as the window builds it (20 columns), before the start-up sequence.
TextGrid BuiltLibraryGrid();
// The start-up sequence's titles: 21 columns, column "Ст" 25 pixels wide.
void SetLibraryGridTitles(TextGrid& grid);
// A library table with its titles.
TextGrid MakeLibraryGrid();

// What a scan builds and the library actions change: both tables and the paths the last
// scan found (sorted without regard to letter case).
struct LibraryTables {
    TextGrid allReplays = MakeLibraryGrid();
    TextGrid favoriteReplays = MakeLibraryGrid();
    std::vector<std::string> allReplaysList;
    std::vector<std::string> favoriteReplaysList;
};

}  // namespace kordex
