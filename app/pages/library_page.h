#pragma once

#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

#include "grid/grid_view.h"
#include "pages/library_scan_run.h"
#include "pages/live_folder_watch.h"
#include "platform/platform.h"
#include "tables/library_sort_state.h"
#include "window/busy_policy.h"
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
// the favourites, the search above them and the actions on their selections. A scan
// (LibraryScanRun) goes on while the window answers; the rows arrive in their order, searched
// and shown as they come, and "Стоп" ends it. While the window is open the folder is watched
// (LiveFolderWatch): new replays appear, removed ones go.
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
    void SetWindowContext(WindowContext context);

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
    bool Scanning() const { return run_.Running(); }
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
    // The scan's tables are emptied for the folder's files, and the lists shown so.
    void BeginReading(const std::string& folder);
    void ScanEnded(std::exception_ptr failure);
    void ShowLists();
    // While a scan places rows: the rows placed since the last look, searched and shown.
    void ShowNewRows();
    void SearchNewRows();
    // Reads and places replays that appeared in the watched folder (or its favourites).
    void PlaceAppearedReplays(const std::vector<std::string>& paths, const std::string& folder);

    WindowTables& tables_;
    LibraryScanRun run_;
    LiveFolderWatch liveFolder_;
    WindowContext context_;
    int searchedRows_ = 0;  // rows of the scan the search has looked at
    int shownRows_ = 0;     // rows of the scan the lists have been shown with
    std::string searchKey_;
};

}  // namespace kordex::app
