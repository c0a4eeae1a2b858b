#include "window/busy_policy.h"

#include <algorithm>

namespace kordex {

namespace {

// While a series run handles events. The run writes each player into the same row of all five
// tables and reads the run list it started with; nothing may move those rows, empty the tables
// or read them half-written.
BusyAnswer DuringSeriesRun(WindowAction action) {
    switch (action) {
        case WindowAction::Drop:           // would empty the tables the run is writing
        case WindowAction::SeriesRun:      // two runs would write the same tables
        case WindowAction::SeriesSort:     // would put later battles beside other players' names
        case WindowAction::SeriesExport:   // would save a half-written series as if it were whole
        case WindowAction::SeriesHandOff:  // would swap the list whose battles the run writes
            return BusyAnswer::Refuse;
        default:
            return BusyAnswer::Run;
    }
}

// While a library scan handles events. The scan fills both library lists row by row; the
// actions on those rows wait for the whole list or, when they change files, are left out, since
// what is selected now may not be what stands there when the scan ends.
BusyAnswer DuringLibraryScan(WindowAction action) {
    switch (action) {
        case WindowAction::LibraryScan:  // two scans would fill the same lists
        case WindowAction::LibraryFavorites:
        case WindowAction::LibraryDelete:
        case WindowAction::LibraryLiveChange:  // the scan lists the folder as it is itself
            return BusyAnswer::Refuse;
        case WindowAction::LibrarySort:  // sorts the whole list, not the rows read so far
            return BusyAnswer::Wait;
        default:
            return BusyAnswer::Run;
    }
}

}  // namespace

BusyAnswer WhileBusy(const BusyState& busy, WindowAction action) {
    const BusyAnswer run = busy.seriesRun ? DuringSeriesRun(action) : BusyAnswer::Run;
    const BusyAnswer scan = busy.libraryScan ? DuringLibraryScan(action) : BusyAnswer::Run;
    // The stricter answer stands: Refuse over Wait over Run.
    return std::max(run, scan);
}

BusyAnswer BusyGate::Admit(WindowAction action, std::function<void()> run) {
    const BusyAnswer answer = WhileBusy(busy_(), action);
    if (answer == BusyAnswer::Run)
        run();
    else if (answer == BusyAnswer::Wait)
        waiting_.push_back(std::move(run));
    return answer;
}

void BusyGate::BusyEnded() {
    while (!waiting_.empty() && busy_().Idle()) {
        std::function<void()> next = std::move(waiting_.front());
        waiting_.erase(waiting_.begin());
        next();
    }
}

}  // namespace kordex
