#include "window/window_tables.h"

#include "library/library_tables.h"
#include "single/team_tables.h"

namespace kordex {

WindowTables::WindowTables()
    : AlliesGrid(MakeTeamGrid()),
      EnemiesGrid(MakeTeamGrid()),
      library{BuiltLibraryGrid(), BuiltLibraryGrid(), {}, {}} {}

void SetTableTitles(WindowTables& tables) {
    SetTeamGridTitles(tables.AlliesGrid);
    SetTeamGridTitles(tables.EnemiesGrid);
    SetSeriesGridTitles(tables);
    SetLibraryGridTitles(tables.library.allReplays);
    SetLibraryGridTitles(tables.library.favoriteReplays);
}

}  // namespace kordex
