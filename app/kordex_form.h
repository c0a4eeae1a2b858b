#pragma once

#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "library/library_scan.h"
#include "platform/platform.h"
#include "series/series_tables.h"
#include "single/single_analysis.h"
#include "tables/label_store.h"
#include "tables/library_sort_state.h"
#include "tables/table_identity.h"
#include "text/number_format.h"
#include "window/busy_policy.h"
#include "window/drop_rule.h"
#include "window/file_places.h"
#include "window/settings_file.h"
#include "window/window_lifecycle.h"
#include "window/window_state.h"
#include "window/window_tables.h"

namespace kordex::app {

class GridView;
class LibraryPage;
class OptionsPage;
class SeriesPage;
class SingleBattlePage;

// Runs a function when the scope ends, also when it ends by an exception.
template <typename Function>
struct ScopeExit {
    explicit ScopeExit(Function function) : function_(std::move(function)) {}
    ~ScopeExit() { function_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

  private:
    Function function_;
};

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

    WindowTables& Tables() { return state_.tables; }
    const std::vector<std::string>& ReplaysList() const {
        return state_.series.lb_ReplaysList.Paths();
    }
    const Settings& ProgramSettings() const { return state_.programSettings; }

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
    void TeamGridDblClick(GridView& grid, int column, int row);
    void SeriesAnalysisButtonClick();
    void HTMLExportClick();
    void XlsExportClick();
    void SeriesGridFixedCellClick(SeriesTable table, GridView& grid, int column, int row);
    void SeriesGridSummaryFixedCellClick(int column, int row);
    void SeriesGridExpDblClick(GridView& grid, int column, int row);
    void bt_ProcessInKordexClick();
    void ReplaysListDblClick(GridView& list, int column, int row);

    // Shared steps of several handlers.
    // Shows the replay in the single view: its path in the field, the analysis, the tab.
    void AnalyseInSingleView(const std::string& path);

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
    void ConnectHandlers();
    // Runs a handler under the default error handling, then shows the tables as the handler
    // left them, also after a failure.
    void Handle(const std::function<void()>& handler);
    template <typename Sender, typename Signal, typename Handler>
    void On(Sender* sender, Signal signal, Handler handler);
    // Shows what the handlers left in the tables, the labels and the path field.
    void ShowState();
    void ShowReplaysList();
    std::string SettingsPath() const { return places_.settingsFile; }
    // What the window is busy with.
    BusyState Busy() const;
    // Tells the user where a written file went; nothing for an empty path.
    void ShowWrittenFile(const std::string& path);
    // Whether the action may run now; an action the rule keeps for later is left out here.
    bool Admitted(WindowAction action) {
        return busy_.Admit(action, [] {}) == BusyAnswer::Run;
    }

    Platform& platform_;
    FilePlaces places_;
    WindowState state_;
    NumberFormat numberFormat_;
    // What may happen while a series run or a library scan handles events.
    BusyGate busy_{[this] { return Busy(); }};
};

template <typename Sender, typename Signal, typename Handler>
void TKordexForm::On(Sender* sender, Signal signal, Handler handler) {
    connect(sender, signal, this, [this, handler](auto... args) {
        Handle([&] {
            // A handler of this window by name, or a function of the signal's arguments or of
            // none.
            if constexpr (std::is_invocable_v<Handler, TKordexForm*, decltype(args)...>)
                std::invoke(handler, this, args...);
            else if constexpr (std::is_member_function_pointer_v<Handler>)
                std::invoke(handler, this);
            else if constexpr (std::is_invocable_v<Handler, decltype(args)...>)
                handler(args...);
            else
                handler();
        });
    });
}

}  // namespace kordex::app
