#pragma once

namespace kordex {

// What may run while the window is busy. A series run handles the window's events between
// replays; a library scan reads on other threads while the window goes on. Either way the
// user can press buttons and click tables meanwhile, and an action that would change what the
// run or the scan is writing must not run then.

// What the window is busy with now.
struct WindowBusy {
    bool seriesRun = false;    // a series run is handling events between its replays
    bool libraryScan = false;  // a library scan is placing rows into the library tables
};

// The user's actions that the busy rules know.
enum class WindowAction {
    FileDrop,           // files dropped on the window: they empty the series tables
    SeriesTitleSort,    // a title click on a series table
    SeriesHandOff,      // a library selection of several rows run as a series
    SingleHandOff,      // one library row opened in "Один бой"
    LibraryScan,        // "Обновить", the folder chooser
    LibraryFavorites,   // "В избранное"
    LibraryDelete,      // "Удалить"
    LibraryTitleSort,   // a title click on a library table
    LibraryLiveChange,  // a replay the game wrote or another program removed
};

// Whether the action may run now. One that may not is left out: the user repeats it once the
// run or the scan is over (the buttons say so by being disabled).
bool MayRun(WindowAction action, const WindowBusy& busy);

}  // namespace kordex
