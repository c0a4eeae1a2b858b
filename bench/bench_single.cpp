// The single analysis ("Один бой") of one real replay, 100 times: the median and the slowest
// time, for the largest complete replay the single view accepts and for the median over all of
// them, and the peak memory.
//
//   bench_single [REPLAYS_FOLDER]     run from the build's bin/ folder, beside tanks.ini

#include <cstdio>
#include <iostream>

#include "bench_support.h"
#include "platform/headless_desktop.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "single/single_analysis.h"
#include "tables/label_store.h"
#include "window/window_tables.h"

namespace {

using namespace kordex;
using namespace kordex::bench;

struct Window {
    WindowTables tables;
    LabelStore labels;
    HeadlessDesktop desktop;
    StdFileSystem files;
    SystemClock clock;
    Platform platform{desktop, files, clock};
    SingleSettings settings{NumberFormat{','}, "tanks.ini"};

    Window() { SetTableTitles(tables); }

    SingleEnd Analyse(const std::string& path) {
        SingleView view{tables.AlliesGrid, tables.EnemiesGrid, labels};
        view.replayPath = path;
        return SingleReplayAnalyseClick(view, platform, settings);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::string source = SharedReplaysFolder(argc > 1 ? argv[1] : nullptr);
    Window window;
    std::vector<std::string> complete;
    for (const std::string& path : ReplaysUnder(source)) {
        try {
            if (window.Analyse(path) == SingleEnd::Completed)
                complete.push_back(path);
        } catch (const std::exception&) {
        }
    }
    if (complete.empty()) {
        std::cerr << "bench_single: no replay under " << source << " completes the analysis\n";
        return 2;
    }
    const std::string largest = *std::max_element(complete.begin(), complete.end(),
                                                  [](const std::string& a, const std::string& b) {
                                                      return fs::file_size(a) < fs::file_size(b);
                                                  });

    constexpr int kRuns = 100;
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run)
        times.push_back(Measure([&] { (void)window.Analyse(largest); }).wall * 1000);
    const double median = Median(times);
    const double slowest = *std::max_element(times.begin(), times.end());

    std::vector<double> perReplay;
    for (const std::string& path : complete) {
        std::vector<double> own;
        for (int run = 0; run < 11; ++run)
            own.push_back(Measure([&] { (void)window.Analyse(path); }).wall * 1000);
        perReplay.push_back(Median(own));
        if (std::getenv("BENCH_VERBOSE"))
            std::printf("    %.3f ms  %s\n", perReplay.back(), path.c_str());
    }

    std::printf("single analysis (tanks.ini read for the vehicle names, as the window does)\n");
    std::printf("  largest complete replay %s (%.0f KB)\n", fs::path(largest).filename().c_str(),
                fs::file_size(largest) / 1e3);
    std::printf("  %d runs                 median %.3f ms, slowest %.3f ms\n", kRuns, median,
                slowest);
    std::printf(
        "  %zu complete replays     median of their medians %.3f ms, slowest median %.3f ms\n",
        complete.size(), Median(perReplay), *std::max_element(perReplay.begin(), perReplay.end()));
    std::printf("  target                  < 2 ms: %s\n", median < 2.0 ? "met" : "MISSED");
    std::printf("  peak memory             %.1f MB\n", PeakMegabytes());
    return 0;
}
