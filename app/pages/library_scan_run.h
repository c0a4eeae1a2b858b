#pragma once

#include <QObject>
#include <QThread>
#include <QTimer>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "library/library_cache.h"
#include "library/library_scan.h"
#include "library/library_tables.h"
#include "platform/desktop.h"
#include "text/ini_file.h"
#include "window/library_scan_setup.h"
#include "window_progress.h"

namespace kordex::app {

// One library scan at a time, seen from the window. What comes before the first row
// (tanks.ini, the row cache, the folder's listing) is gathered on a thread of its own; the
// rows are read on the scan's worker threads and placed in short turns of the event loop, so
// the window answers between them; the rows then go into the cache and its file on a thread
// of its own again. "Стоп" keeps the rows in hand.
class LibraryScanRun : public QObject {
  public:
    // What a scan needs of the window: tanks.ini, the row cache's file (empty: none), the
    // widths of texts and the bars that show its progress.
    struct Settings {
        std::string iniPath;
        std::string cachePath;
        Desktop* desktop = nullptr;
        std::function<StatusProgress()> bars;
    };
    struct Handlers {
        // The tables are emptied for the folder's files; the rows arrive from now on.
        std::function<void(const std::string& folder)> readingBegan;
        // Rows were placed since the lists were last shown: as often as the eye can follow.
        std::function<void()> rowsToShow;
        // A turn of placing ended.
        std::function<void()> turnEnded;
        // The scan ended (read to its end, stopped or failed), or none began; with what failed.
        std::function<void(std::exception_ptr failure)> ended;
    };

    LibraryScanRun(LibraryTables& library, Handlers handlers);
    // The readers stop with the scan; the rows they still read are not waited for. Work under
    // way on the side holds a scan or writes the cache: it is waited for.
    ~LibraryScanRun() override;

    void SetSettings(Settings settings) { settings_ = std::move(settings); }

    void Start(const std::string& folder);
    void Stop();
    // From the start's first step to the end's last one.
    bool Running() const { return phase_ != Phase::Idle; }
    // The scan whose rows are being placed, or null.
    const LibraryScan* Scan() const { return scan_.get(); }
    // Whether a scan has gathered the tanks.ini that reading a row takes.
    bool CanReadRows() const { return ini_ != nullptr; }
    // The row of a replay that appeared after the scan, read with its tanks.ini and kept in
    // its row cache, as the scan would have read and kept it.
    LibraryRow ReadRow(const std::string& path);
    // Writes the row cache to its file; one that cannot be written costs only the next
    // start's speed, so nobody is told.
    void SaveCache();

  private:
    // Idle, then gathering what the scan needs, placing its rows, keeping its rows.
    enum class Phase { Idle, Starting, Reading, Ending };

    // Runs work on a thread of its own, then done on the window's thread with what work
    // threw, if anything. One at a time: the phases of a scan follow each other.
    void RunAside(std::function<void()> work, std::function<void(std::exception_ptr)> done);
    void BeginReading(LibraryScanSetup setup);
    void Tick();
    void End();

    LibraryTables& library_;
    Handlers handlers_;
    Settings settings_;
    Phase phase_ = Phase::Idle;
    bool stopAsked_ = false;  // "Стоп" before the reading began
    QThread* aside_ = nullptr;
    // The scan's readers use both until the scan is let go.
    std::unique_ptr<IniFile> ini_;
    std::unique_ptr<LibraryRowCache> cache_;
    std::unique_ptr<LibraryScan> scan_;
    std::unique_ptr<LibraryScanProgress> progress_;
    QTimer tickTimer_;
    bool placing_ = false;
};

}  // namespace kordex::app
