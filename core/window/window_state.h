#pragma once

#include "series/series_tables.h"
#include "single/single_analysis.h"
#include "tables/label_store.h"
#include "tables/library_sort_state.h"
#include "window/settings_file.h"
#include "window/window_tables.h"

namespace kordex {

// What the main window holds besides its widgets: the tables and labels it shows, the battle
// of the single view, the series run list, the settings without a control of their own and the
// library sort state. The window's handlers and the start-up sequence work on it.
struct WindowState {
    WindowState() = default;
    WindowState(const WindowState&) = delete;
    WindowState& operator=(const WindowState&) = delete;

    WindowTables tables;
    // The value labels' texts; the window shows what stands here after every handler.
    LabelStore labels;
    // "Один бой": the window's team tables and labels and the battle they show.
    SingleView singleView{tables.AlliesGrid, tables.EnemiesGrid, labels};
    // The run list of the series (lb_ReplaysList shows it) and whether a run is under way.
    SeriesSession series;
    // The settings without a control of their own: ExportAllHTML and the remote export.
    Settings programSettings;
    LibrarySortState librarySort;
};

}  // namespace kordex
