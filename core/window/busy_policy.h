#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace kordex {

// What the window may be doing while it still handles events: a series run lets them through
// every third replay, a library scan between the rows it shows.
struct BusyState {
    bool seriesRun = false;
    bool libraryScan = false;

    bool Idle() const { return !seriesRun && !libraryScan; }
};

// Everything the user can start from the window that touches the tables, the lists or the
// replay files.
enum class WindowAction {
    Drop,               // files dropped on the window
    OpenReplay,         // a replay into the single view: open dialog, list or hand-off
    SeriesRun,          // "Начать" on the series page
    SeriesSort,         // a title click on one of the four sortable series tables
    SummarySort,        // a title click on the summary table
    SeriesBattleOpen,   // a double-click on a series cell: a battle or a player search
    SeriesExport,       // "Экспорт htm", "Экспорт xls"
    SeriesHandOff,      // several library rows sent to the series run list
    LibraryScan,        // "...", "Обновить", the automatic scan
    LibraryOpen,        // a double-click on a library row
    LibrarySort,        // a title click on a library list
    LibraryFavorites,   // "В избранное"
    LibraryDelete,      // "Удалить"
    LibraryLiveChange,  // a replay the game wrote or another program removed
};

// In order of strictness: where a run and a scan answer differently, the stricter stands.
enum class BusyAnswer {
    Run,     // the action runs now
    Wait,    // the action runs as soon as the window is idle again
    Refuse,  // the action is left out, without a message
};

// The one rule of what may happen while a series run or a library scan handles events.
BusyAnswer WhileBusy(const BusyState& busy, WindowAction action);

// Whether the rule lets the action run at once (a button for it may be enabled).
inline bool RunsNow(const BusyState& busy, WindowAction action) {
    return WhileBusy(busy, action) == BusyAnswer::Run;
}

// Applies the rule: runs an action, keeps it for when the window is idle, or leaves it out.
// Kept actions run in the order they came, once, when the last busy work ends.
class BusyGate {
  public:
    // busy: what the window is doing at the moment of asking.
    explicit BusyGate(std::function<BusyState()> busy) : busy_(std::move(busy)) {}

    // The answer the rule gave; the action has run when it is Run.
    BusyAnswer Admit(WindowAction action, std::function<void()> run);
    // Called when a run or a scan ends: runs the kept actions if nothing is busy any more. A
    // kept action that starts new busy work leaves the ones after it waiting for its end.
    void BusyEnded();
    int WaitingCount() const { return static_cast<int>(waiting_.size()); }
    // What the window is doing now.
    BusyState Now() const { return busy_(); }

  private:
    std::function<BusyState()> busy_;
    std::vector<std::function<void()>> waiting_;
};

}  // namespace kordex
