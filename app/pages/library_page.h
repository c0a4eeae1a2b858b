#pragma once

#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

#include "grid/grid_view.h"
#include "library/library_cache.h"
#include "library/library_scan.h"
#include "pages/live_folder_watch.h"
#include "platform/platform.h"
#include "tables/library_sort_state.h"
#include "text/ini_file.h"
#include "window/busy_policy.h"
#include "window/library_scan_setup.h"
#include "window/window_tables.h"
#include "window_progress.h"

namespace kordex::app {

// A line edit that reports double-clicks (the folder field opens its folder).
class FolderEdit : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

  signals:
    void doubleClicked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The tab "Управление реплеями": the folder field, the library lists of all replays and of
// the favourites, the search above them and the actions on their selections. A scan reads on
// other threads while the window goes on; the rows arrive in their order, and "Стоп" ends it.
// What comes before the first row (tanks.ini, the row cache, the folder's listing) and after
// the last (the cache kept and written) is done on a thread of its own too: the window only
// places rows and moves the bars.
// While the window is open the folder is watched: new replays appear, removed ones go.
class LibraryPage : public QWidget {
    Q_OBJECT
  public:
    LibraryPage(WindowTables& tables, QWidget* parent = nullptr);
    ~LibraryPage() override;

    // The list on the active sub-tab and its grid view.
    GridView* ActiveList() const;
    // The hidden path lists as the last scan left them.
    void ShowPathLists(const LibraryTables& library);

    // What the page needs of the window: the platform (files, widths, beeps, the trash), what
    // may run now, tanks.ini, the row cache's file (empty: none), the bars that show a scan's
    // progress and the library's title-click state.
    struct WindowContext {
        Platform* platform = nullptr;
        BusyGate* busy = nullptr;
        std::string iniPath;
        std::string cachePath;
        std::function<StatusProgress()> bars;
        LibrarySortState* sort = nullptr;
    };
    void SetWindowContext(WindowContext context) { context_ = std::move(context); }

    // Handlers of the page's controls, named after them.
    void ProcessReplays();  // a scan of the folder in the field
    void bt_SelectFolderClick();
    void bt_RefreshClick();
    void ed_AllReplaysFolderDblClick();
    void bt_AddToFavoritesClick();
    void bt_DeleteSelectedClick();
    void ReplaysListFixedCellClick(GridView& list, int column, int row);

    // Starts a scan of the folder; the rows arrive while the event loop runs.
    void StartScan(const std::string& folder);
    // From the start's first step to the end's last one.
    bool Scanning() const { return phase_ != ScanPhase::Idle; }
    void StopScan();
    // Runs the event loop until no scan is under way (tests, benchmarks).
    void WaitForScan();

    // Shows the rows that hold the search text, in both tables.
    void ApplySearch();
    // Enables the buttons by what may run now.
    void ShowBusy();

    QTabWidget* pc_ReplaysList;
    QWidget* ts_AllReplays;
    QWidget* ts_FavoriteReplays;
    GridView* sg_AllReplays;
    GridView* sg_FavoriteReplays;
    QListView* lb_AllReplaysList;
    QListView* lb_FavoriteReplaysList;
    FolderEdit* ed_AllReplaysFolder;
    QLineEdit* ed_Search;
    QPushButton* bt_SelectFolder;
    QPushButton* bt_Refresh;
    QPushButton* bt_Stop;
    QPushButton* bt_AddToFavorites;
    QPushButton* bt_ProcessInKordex;
    QPushButton* bt_DeleteSelected;

  signals:
    // A scan ended: read to its end, stopped or failed.
    void scanEnded();

  private:
    void ConnectHandlers();
    // Runs a handler when the busy policy lets it run now, under the default error handling.
    void Act(WindowAction action, const std::function<void()>& handler);
    // Runs work on a thread of its own, then done on the window's thread with what work
    // threw, if anything. One at a time: the phases of a scan follow each other.
    void RunAside(std::function<void()> work, std::function<void(std::exception_ptr)> done);
    void BeginReading(LibraryScanSetup setup);
    void ScanTick();
    void EndScan();
    void ScanEnded(std::exception_ptr failure);
    void SaveCache();
    void ShowLists();
    // While a scan places rows: the rows placed since the last look, searched and shown.
    void ShowNewRows();
    void SearchNewRows();
    // Reads and places replays that appeared in the watched folder (or its favourites).
    void PlaceAppearedReplays(const std::vector<std::string>& paths, const std::string& folder);

    // Idle, then gathering what the scan needs, placing its rows, keeping its rows.
    enum class ScanPhase { Idle, Starting, Reading, Ending };

    WindowTables& tables_;
    LiveFolderWatch liveFolder_;
    WindowContext context_;
    ScanPhase phase_ = ScanPhase::Idle;
    bool stopAsked_ = false;  // "Стоп" before the reading began
    QThread* aside_ = nullptr;
    // The scan's readers use both until the scan is let go.
    std::unique_ptr<IniFile> ini_;
    std::unique_ptr<LibraryRowCache> cache_;
    std::unique_ptr<LibraryScan> scan_;
    std::unique_ptr<LibraryScanProgress> progress_;
    QTimer scanTimer_;
    bool placing_ = false;
    int searchedRows_ = 0;  // rows of the scan the search has looked at
    int shownRows_ = 0;     // rows of the scan the lists have been shown with
    std::string searchKey_;
};

}  // namespace kordex::app
