#pragma once

#include <array>

#include "library/library_tables.h"
#include "tables/text_grid.h"

namespace kordex {

// Every table of the main window, with the sizes it has when the window is built. The window
// shows them; the analyses, the CLI and the tests fill the same grids.
struct WindowTables {
    WindowTables();

    TextGrid AlliesGrid;
    TextGrid EnemiesGrid;
    TextGrid SeriesGridExp;
    TextGrid SeriesGridFrags;
    TextGrid SeriesGridDamage;
    TextGrid SeriesGridSupport;
    TextGrid SeriesGridShots;
    TextGrid SeriesGridSummary;
    // sg_AllReplays and sg_FavoriteReplays, with the paths of the last scan.
    LibraryTables library;

    // The five per-player series tables in their fixed order: Exp, Frags, Damage, Support,
    // Shots.
    std::array<TextGrid*, 5> SeriesGrids();
};

// The titles the start-up sequence writes: the team tables' header row with the id columns
// hidden, the series tables' corner texts with a double-height first row, the library lists'
// 21 columns.
void SetSeriesGridTitles(TextGrid& grid, const char* cornerTitle);
void SetTableTitles(WindowTables& tables);

}  // namespace kordex
