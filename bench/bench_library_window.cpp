// The library scan of a big folder through the window: 10,000 replays made from the real ones
// under new names in the temporary folder (removed afterwards), scanned by a click on
// "Обновить" in a shown window (offscreen), with everything the window does meanwhile: the
// status bar and the progress bar after each file, the list shown as it fills, the list's
// final refresh. Beside it the same folder scanned by the core alone, for the window's share;
// bench_library has the core scan's full figures (plain-read floor, memory). While the window
// scans, a timer ticks every 5 ms: the longest gap between two ticks is the longest the window
// did not answer. The row cache lives in a temporary folder and is removed before each first
// scan. Of three rounds each, the fastest is shown.
//
//   bench_library_window [--copies] [COUNT [REPLAYS_FOLDER]]
//     --copies  real copies instead of hard links (writes about 1 MB a replay)

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstring>

#include "bench_support.h"
#include "kordex_application.h"
#include "kordex_form.h"
#include "library/library_scan.h"
#include "library/library_tables.h"
#include "pages/library_page.h"
#include "platform/headless_desktop.h"
#include "platform/qt_desktop.h"
#include "platform/qt_file_system.h"
#include "platform/system_clock.h"
#include "text/ini_file.h"

namespace {

using namespace kordex;
using namespace kordex::bench;

// A program folder of its own with the vehicle names beside the "executable", so that the
// window's settings never touch the build's tanks.ini.
class ProgramFolder {
  public:
    ProgramFolder() {
        std::string pattern = (fs::temp_directory_path() / "kordex-bench-program-XXXXXX");
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::exit(2);
        }
        path_ = pattern;
        QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/tanks.ini"),
                    QString::fromStdString(path_ + "/tanks.ini"));
    }
    ~ProgramFolder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// The window as the user has it: shown, on "Управление реплеями", the folder in its field.
struct Window {
    Window(const std::string& programFolder, const std::string& replayFolder)
        : form(platform, programFolder) {
        desktop.SetOwner(&form);
        form.show();
        form.AnalyseType->setCurrentIndex(app::TKordexForm::kLibraryTab);
        form.ts_ReplaysList->ed_AllReplaysFolder->setText(QString::fromStdString(replayFolder));
        QApplication::processEvents();
    }
    void Scan() {
        form.ts_ReplaysList->bt_Refresh->click();
        form.ts_ReplaysList->WaitForScan();
        QApplication::processEvents();  // the last paint of the filled list
    }

    app::QtDesktop desktop;
    app::QtFileSystem files;
    SystemClock clock;
    Platform platform{desktop, files, clock};
    app::TKordexForm form;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", cacheHome.path().toUtf8());
    app::KordexApplication application(argc, argv);
    const CopyArguments arguments = ReadCopyArguments(argc, argv, 10000);
    const int count = arguments.count;
    const bool realCopies = arguments.realCopies;
    const std::vector<std::string> sources =
        ReplaysOrExit(arguments.source, "bench_library_window");
    ReplayCopies copies(sources, count, realCopies, "window");
    ProgramFolder program;

    Window window(program.Path(), copies.Folder());
    app::TKordexForm& form = window.form;

    // The core alone, as bench_library scans: no window, a desktop without a screen.
    const IniFile ini = IniFile::Load(program.Path() + "/tanks.ini");
    auto coreScan = [&] {
        HeadlessDesktop headless;
        LibraryTables tables;
        ProcessReplays(copies.Folder(), tables, ini, headless);
    };
    coreScan();  // warms the page cache
    const Times core = Fastest(3, coreScan);
    // One scan through the window, the event loop running as the user's would; the longest
    // gap between two ticks of a 5 ms timer meanwhile.
    qint64 longestGap = 0;
    auto windowScan = [&](bool cached) {
        if (!cached)
            QDir(cacheHome.path()).removeRecursively();
        QElapsedTimer sinceTick;
        QTimer ticks;
        ticks.setInterval(5);
        QObject::connect(&ticks, &QTimer::timeout,
                         [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        sinceTick.start();
        ticks.start();
        window.Scan();
        longestGap = std::max(longestGap, sinceTick.elapsed());
    };
    const Times firstWindow = Fastest(3, [&] { windowScan(false); });
    const qint64 firstScanGap = longestGap;
    longestGap = 0;
    const Times cachedWindow = Fastest(3, [&] { windowScan(true); });
    const int rows = form.Tables().library.allReplays.RowCount() - 1;
    // A returning user's start: a new window, which has measured no text yet, scanning the
    // folder whose every row is in the cache.
    Times startUp{1e9, 1e9};
    for (int round = 0; round < 3; ++round) {
        Window fresh(program.Path(), copies.Folder());
        startUp = Faster(startUp, Measure([&] { fresh.Scan(); }));
    }

    std::printf("library scan, %d replays (%s of %zu real ones), %d rows listed\n", count,
                realCopies ? "copies" : "hard links", sources.size(), rows);
    std::printf("  core only               %.3f s wall, %.3f s CPU, %.0f replays/s\n", core.wall,
                core.cpu, count / core.wall);
    std::printf("  through the window      %.3f s wall, %.3f s CPU, %.0f replays/s\n",
                firstWindow.wall, firstWindow.cpu, count / firstWindow.wall);
    std::printf("  window / core           %.2f (wall), %.2f (CPU); target <= 2: %s\n",
                firstWindow.wall / core.wall, firstWindow.cpu / core.cpu,
                firstWindow.cpu <= 2 * core.cpu ? "met" : "MISSED");
    std::printf("  rescan, all cached      %.3f s wall, %.3f s CPU through the window\n",
                cachedWindow.wall, cachedWindow.cpu);
    std::printf("  start-up, all cached    %.3f s wall, %.3f s CPU in a new window\n", startUp.wall,
                startUp.cpu);
    std::printf(
        "  longest event-loop gap  %lld ms in first scans, %lld ms in rescans; "
        "target <= 100 ms: %s\n",
        static_cast<long long>(firstScanGap), static_cast<long long>(longestGap),
        std::max(firstScanGap, longestGap) <= 100 ? "met" : "MISSED");
    return rows == count ? 0 : 1;
}
