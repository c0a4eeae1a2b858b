#pragma once

#include "library/library_tables.h"
#include "series/series_tables.h"
#include "tables/text_grid.h"

namespace kordex {

// Every table of the main window, with the sizes it has when the window is built. The window
// shows them; the analyses, the CLI and the tests fill the same grids. The series grids are the
// series' own store, which the window holds as a whole.
struct WindowTables : SeriesTables {
    WindowTables();

    TextGrid AlliesGrid;
    TextGrid EnemiesGrid;
    // sg_AllReplays and sg_FavoriteReplays, with the paths of the last scan.
    LibraryTables library;
};

// The titles the start-up sequence writes: the team tables' header row with the id columns
// hidden, the series tables' corner texts, the library lists' 21 columns.
void SetTableTitles(WindowTables& tables);

}  // namespace kordex
