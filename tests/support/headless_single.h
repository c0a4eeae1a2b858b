#pragma once

#include <string>

#include "platform/headless_desktop.h"
#include "platform/platform.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "single/single_analysis.h"
#include "tables/label_store.h"
#include "window/window_tables.h"

namespace kordex::test {

// The window's single view without the window: titled team tables, a desktop that only
// records, the real files (or the given ones) and a decimal comma.
struct HeadlessSingle {
    explicit HeadlessSingle(FileSystem* fileSystem = nullptr);

    // Opens the replay as the button "Начать" does.
    SingleEnd Analyse(const std::string& path);

    HeadlessDesktop desktop;
    StdFileSystem files;
    SystemClock clock;
    Platform platform;
    WindowTables tables;
    LabelStore labels;
    SingleView view{tables.AlliesGrid, tables.EnemiesGrid, labels};
    SingleSettings settings{NumberFormat{','}, ""};
};

}  // namespace kordex::test
