#pragma once

#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <string>
#include <vector>

#include "export/export_tables.h"
#include "library/library_scan.h"
#include "platform/platform.h"
#include "series/series_tables.h"
#include "single/label_store.h"
#include "single/single_analysis.h"
#include "tables/library_sort_state.h"
#include "tables/table_identity.h"
#include "text/number_format.h"
#include "window/busy_rules.h"
#include "window/drop_rule.h"
#include "window/file_places.h"
#include "window/settings_file.h"
#include "window/window_tables.h"

namespace kordex::app {

class GridView;
class LibraryPage;
class OptionsPage;
class SeriesPage;
class SingleBattlePage;

// The main window. It holds every table and control and wires each event to its handler; the
// handlers read the controls, call the core and show what it left in the tables and labels.
// Every handler runs under the application's default error handling.
class TKordexForm : public QMainWindow {
    Q_OBJECT
  public:
    // places: where tanks.ini is kept and the exports are written.
    TKordexForm(Platform& platform, FilePlaces places, QWidget* parent = nullptr);
    // Both in the one folder, as for a copy of the program unpacked anywhere.
    TKordexForm(Platform& platform, const std::string& programFolder, QWidget* parent = nullptr);
    ~TKordexForm() override;

    // Tab indices of AnalyseType, which other handlers switch by.
    enum Tab { kSingleTab = 0, kSeriesTab = 1, kLibraryTab = 2, kOptionsTab = 3 };

    WindowTables& Tables() { return tables_; }
    const std::vector<std::string>& ReplaysList() const { return series_.lb_ReplaysList.Paths(); }
    const Settings& ProgramSettings() const { return programSettings_; }

    // Handlers, named after their control and event.
    void FormCreate();
    void FormClose();
    void FormResize();
    void WMDropFiles(const std::vector<DroppedItem>& items);
    void OpenReplayClick();
    void ViewReplayClick();
    void AboutClick();
    void SingleReplayAnalyseClick();
    void SingleGridsFixedCellClick(int column, int row);
    void AlliesGridDblClick(int column, int row);
    void EnemiesGridDblClick(int column, int row);
    void SeriesAnalysisButtonClick();
    void HTMLExportClick();
    void XlsExportClick();
    void SeriesGridFixedCellClick(SeriesTable table, GridView& grid, int column, int row);
    void SeriesGridSummaryFixedCellClick(int column, int row);
    void SeriesGridsMouseWheel(GridView& grid, bool down, Qt::KeyboardModifiers modifiers,
                               Qt::MouseButtons buttons);
    void SeriesGridExpDblClick(GridView& grid, int column, int row);
    void bt_SelectFolderClick();
    void bt_RefreshClick();
    void ed_AllReplaysFolderDblClick();
    void bt_AddToFavoritesClick();
    void bt_DeleteSelectedClick();
    void bt_ProcessInKordexClick();
    void ReplaysListDblClick(GridView& list, int column, int row);
    void ReplaysListFixedCellClick(GridView& list, int column, int row);

    // Shared steps of several handlers.
    void ClearControls();
    void ProcessReplays();

    // Controls outside the tabs, and the tabs.
    QTabWidget* AnalyseType;
    QPushButton* About;
    QPushButton* SingleReplayAnalyse;
    QStatusBar* StatusBar;
    QProgressBar* SeriesProgress;
    SingleBattlePage* SingleReplay;
    SeriesPage* SeriesReplays;
    LibraryPage* ts_ReplaysList;
    OptionsPage* Options;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildControls();
    void ConnectDrawing();
    void ConnectHandlers();
    ExportTables SeriesTablesOf();
    // Runs a handler under the default error handling, then shows the tables as the handler
    // left them, also after a failure.
    void Handle(const std::function<void()>& handler);
    template <typename Sender, typename Signal, typename Handler>
    void On(Sender* sender, Signal signal, Handler handler);
    // Shows what the handlers left in the tables, the labels and the path field.
    void ShowState();
    void ShowReplaysList();
    // What the window is busy with, and the library's buttons enabled by it.
    WindowBusy Busy() const;
    void ShowBusy();
    void ShowSettings(const Settings& settings);
    // Every column of the team tables within the tables' widths.
    void FitTeamTables();
    Settings CollectSettings() const;
    std::string SettingsPath() const;
    void ShowWrittenFile(const std::string& path);
    std::string ReplayPathText() const;

    Platform& platform_;
    FilePlaces places_;
    WindowTables tables_;
    // The value labels' texts; the window shows what stands here after every handler.
    LabelStore labels_;
    // "Один бой": the window's team tables and labels and the battle they show.
    SingleView singleView_{tables_.AlliesGrid, tables_.EnemiesGrid, labels_};
    // The run list of the series (lb_ReplaysList shows it) and whether a run is under way.
    SeriesSession series_;
    // The settings without a control of their own: ExportAllHTML and the remote export.
    Settings programSettings_;
    LibrarySortState librarySort_;
    NumberFormat numberFormat_;
};

}  // namespace kordex::app
