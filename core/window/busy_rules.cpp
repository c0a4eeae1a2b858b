#include "window/busy_rules.h"

namespace kordex {

bool MayRun(WindowAction action, const WindowBusy& busy) {
    switch (action) {
        // A run writes each player into the same row of its five tables and reads its list
        // while it goes: a drop would empty the tables, a sort would put the next battles'
        // values beside other players' names, a hand-off would replace the list.
        case WindowAction::FileDrop:
        case WindowAction::SeriesTitleSort:
        case WindowAction::SeriesHandOff:
            return !busy.seriesRun;
        // A scan writes rows by their numbers: moving, deleting or sorting rows meanwhile
        // would put rows over others; a second scan would rebuild the tables under the first;
        // a file that appears now is listed by the scan itself.
        case WindowAction::LibraryScan:
        case WindowAction::LibraryFavorites:
        case WindowAction::LibraryDelete:
        case WindowAction::LibraryTitleSort:
        case WindowAction::LibraryLiveChange:
            return !busy.libraryScan;
        // Opening one battle touches neither the series nor the library.
        case WindowAction::SingleHandOff:
            return true;
    }
    return false;
}

}  // namespace kordex
