#pragma once

#include "platform/headless_desktop.h"
#include "platform/platform.h"
#include "platform/std_file_system.h"
#include "support/series_grid_fixture.h"
#include "support/test_paths.h"

namespace kordex::test {

// The small series ready for an export into a fresh folder, on a recording desktop and a clock
// standing at 2017-05-27 21:45:07.
struct SeriesExportFixture {
    TempFolder folder;
    HeadlessDesktop desktop;
    StdFileSystem files;
    FixedClock clock;
    Platform platform{desktop, files, clock};
    SeriesFixture series = SmallSeries();
};

}  // namespace kordex::test
