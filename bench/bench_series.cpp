// A series run ("Серия боев", button "Начать") of 100 real replays: copies under new names of the
// complete battles the series accepts, in a temporary folder (removed afterwards), with the
// author's statistics on; the fastest of five runs, and the peak memory.
//
//   bench_series [--copies] [COUNT [REPLAYS_FOLDER]]     run from the build's bin/ folder

#include <cstring>
#include <iostream>

#include "bench_support.h"
#include "platform/headless_desktop.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "series/series_run.h"
#include "series/series_tables.h"
#include "tables/label_store.h"
#include "window/window_tables.h"

namespace {

using namespace kordex;
using namespace kordex::bench;

struct Run {
    Times times;
    int complete = 0;
    std::vector<std::string> completePaths;
};

Run RunOnce(const std::vector<std::string>& paths, bool moveUnusable = true) {
    WindowTables tables;
    SetTableTitles(tables);
    SeriesSession session;
    session.lb_ReplaysList.Assign(paths);
    LabelStore labels;
    HeadlessDesktop desktop;
    StdFileSystem files;
    SystemClock clock;
    Platform platform{desktop, files, clock};
    SeriesRunObserver observer;
    SeriesOptions options;
    options.multiAdditional = true;
    options.format.decimalSeparator = ',';
    options.iniPath = "tanks.ini";
    options.moveUnusable = moveUnusable;
    Run run;
    SeriesRunResult result;
    run.times = Measure(
        [&] { result = RunSeries(tables, session, labels, options, platform, observer, nullptr); });
    for (const ReplayOutcome& replay : result.replays)
        if (replay.kind == ReplayClass::Complete) {
            ++run.complete;
            run.completePaths.push_back(replay.path);
        }
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    const CopyArguments arguments = ReadCopyArguments(argc, argv, 100);
    const int count = arguments.count;
    const std::string& source = arguments.source;
    const bool realCopies = arguments.realCopies;
    // The complete battles the series reads: one run over all of them, moving nothing.
    std::vector<std::string> sources = RunOnce(ReplaysUnder(source), false).completePaths;
    std::sort(sources.begin(), sources.end());
    if (sources.empty()) {
        std::cerr << "bench_series: no complete replay the series accepts under " << source << "\n";
        return 2;
    }

    Run best;
    best.times.wall = best.times.cpu = 1e9;
    for (int round = 0; round < 5; ++round) {
        // A fresh folder each round: the run may move replays it cannot use.
        ReplayCopies copies(sources, count, realCopies, "series");
        const Run run = RunOnce(copies.Paths());
        if (run.times.cpu < best.times.cpu)
            best = run;
    }
    std::printf("series run of %d replays (%s of %zu complete real ones), author's statistics on\n",
                count, realCopies ? "copies" : "hard links", sources.size());
    std::printf(
        "  run                     %.3f s wall, %.3f s CPU (%.2f ms a replay), %d complete\n",
        best.times.wall, best.times.cpu, best.times.cpu * 1000 / count, best.complete);
    std::printf("  target                  < 0.5 s: %s\n", best.times.cpu < 0.5 ? "met" : "MISSED");
    std::printf("  peak memory             %.1f MB\n", PeakMegabytes());
    return 0;
}
