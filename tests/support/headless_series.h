#pragma once

#include <string>
#include <vector>

#include "platform/headless_desktop.h"
#include "platform/platform.h"
#include "platform/std_file_system.h"
#include "series/series_run.h"
#include "support/series_grid_fixture.h"
#include "tables/label_store.h"
#include "window/window_tables.h"

namespace kordex::test {

// A series run as the window makes one, without the window: titled tables, a desktop that
// only records, the real files, a clock standing still, a decimal comma and the shipped
// tanks.ini. A test points `files` or `clock` elsewhere and sets options before Run.
struct HeadlessSeries {
    HeadlessSeries();

    // Runs the series over the paths, in their order, as the run list.
    SeriesRunResult Run(const std::vector<std::string>& paths, SeriesBattleLog* log = nullptr);

    WindowTables tables;
    SeriesSession session;
    LabelStore labels;
    HeadlessDesktop desktop;
    StdFileSystem realFiles;
    FixedClock fixedClock;
    FileSystem* files = &realFiles;
    Clock* clock = &fixedClock;
    SeriesRunObserver observer;
    SeriesOptions options;
};

}  // namespace kordex::test
