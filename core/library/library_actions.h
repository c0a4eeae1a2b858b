#pragma once

#include <string>
#include <variant>
#include <vector>

#include "platform/desktop.h"
#include "platform/file_system.h"
#include "tables/text_grid.h"

namespace kordex {

// Each row from the given one to the second-to-last takes the texts of the row below it;
// then the last row goes.
void DeleteGridRow(TextGrid& table, int row);

// The favourites folder beside a replay and the path the replay gets there.
std::string FavoritesTargetPath(const std::string& path);

// Moves the files of the selected rows of "Все реплеи", bottom row first, into the favourites
// folder beside each; a moved row goes to the end of the favourites table with its new path.
// A move that fails (the name exists there, the file vanished, no access) leaves the row.
// Returns the number of files moved.
int AddToFavorites(TextGrid& allReplays, TextGrid& favoriteReplays, FileSystem& files,
                   Desktop& desktop);

// The confirmation text for deleting the selected rows.
std::string DeleteQuestion(const TextGrid& table);

// Asks, then moves the files of the selected rows into the trash, bottom row first; a row
// goes only when its file is in the trash. Returns the number of rows deleted.
int DeleteSelected(TextGrid& table, FileSystem& files, Desktop& desktop);

// Where the selected rows go: nowhere, one replay into "Один бой", several into a series.
struct NoHandOff {};
struct SingleHandOff {
    std::string path;
};
struct SeriesHandOff {
    std::vector<std::string> paths;  // sorted, as the run list keeps them
};
using HandOff = std::variant<NoHandOff, SingleHandOff, SeriesHandOff>;

HandOff HandOffSelection(const TextGrid& table);

// A double-click on the folder field: the folder opens in the file browser. Only an existing
// folder is handed to the desktop; a prompt, a web address or a "file:" text opens nothing.
void OpenReplayFolder(const std::string& fieldText, FileSystem& files, Desktop& desktop);

}  // namespace kordex
