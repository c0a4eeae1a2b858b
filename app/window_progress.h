#pragma once

#include <QElapsedTimer>
#include <QProgressBar>
#include <QStatusBar>
#include <functional>
#include <string>

#include "library/library_scan.h"
#include "series/series_ingestion.h"

namespace kordex::app {

// The status bar and the progress bar while a long operation runs on the window's thread:
// both repaint at once, since the operation returns to the event loop only now and then.
class StatusProgress {
  public:
    StatusProgress(QStatusBar& status, QProgressBar& progress)
        : status_(status), progress_(progress) {}

    void ShowStatus(const std::string& text);
    void ClearStatus();
    void ShowProgress(int maximum);
    void SetProgress(int position);
    void HideProgress();

  private:
    QStatusBar& status_;
    QProgressBar& progress_;
};

// The library scan: "Текущий реплей: " and the file, the progress by files, and the lists as
// they fill; as often as the eye can follow, not for every file, since painting a window takes
// longer than placing a row.
class LibraryScanProgress : public ScanProgress {
  public:
    // Time between two paints during a scan.
    static constexpr int kPaintIntervalMs = 40;

    LibraryScanProgress(StatusProgress shown, std::function<void()> showLists,
                        int paintIntervalMs = kPaintIntervalMs)
        : shown_(shown), showLists_(std::move(showLists)), paintIntervalMs_(paintIntervalMs) {}

    void Started(int fileCount) override;
    void ReadingFile(const std::string& path) override;
    void FileDone() override { ++filesDone_; }
    void Finished() override;

  private:
    StatusProgress shown_;
    std::function<void()> showLists_;
    int paintIntervalMs_;
    int filesDone_ = 0;
    QElapsedTimer sincePaint_;
};

// A series run: the run list hides when it starts, the tables are shown as they grow.
class SeriesRunProgress : public SeriesRunObserver {
  public:
    struct Window {
        std::function<void()> hideRunList;
        std::function<void()> showTables;
        std::function<void()> showSeriesPage;
    };
    SeriesRunProgress(StatusProgress shown, Window window)
        : shown_(shown), window_(std::move(window)) {}

    void RunStarted() override { window_.hideRunList(); }
    void StatusText(const std::string& text) override { shown_.ShowStatus(text); }
    void ProgressShown(int maximum) override { shown_.ShowProgress(maximum); }
    void ProgressPosition(int position) override;
    void ProgressHidden() override { shown_.HideProgress(); }
    void SeriesPageShown() override { window_.showSeriesPage(); }

  private:
    StatusProgress shown_;
    Window window_;
};

}  // namespace kordex::app
