#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "series/series_tables.h"

namespace kordex {

// One item the desktop shell dropped on the window, with its full path.
struct DroppedItem {
    std::string path;
    bool isFolder = false;
};

// The replay the game is still writing while a battle is recorded.
inline constexpr std::string_view kRecordingReplayName = "temp.wotreplay";

// Whether a dropped item is a replay to take: a file (not a folder) whose extension, from the
// last "." of its name, is ".wotreplay" in exactly these letters, other than the file the
// game is still recording.
bool IsAcceptedDrop(const DroppedItem& item);

enum class DropTarget { SingleView, SeriesList };

struct DropOutcome {
    // The new content of lb_ReplaysList, sorted; it replaces the old one even when empty.
    std::vector<std::string> replaysList;
    // Exactly one replay goes to the single view; none or several wait on "Серия боев".
    DropTarget target = DropTarget::SeriesList;
    std::string replayPath;  // the single view's path when target is SingleView
};

DropOutcome DecideDrop(const std::vector<DroppedItem>& items);

// A drop ends the previous series preparation, even when it brings nothing usable: the
// experience table takes the previous run list's size (previousListSize battles) and the rows
// of a new run, and the bodies of all six series tables are emptied.
void EndSeriesPreparation(SeriesTables& tables, int previousListSize);

}  // namespace kordex
