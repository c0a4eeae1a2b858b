#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "library/library_row.h"
#include "library/library_tables.h"
#include "platform/desktop.h"

namespace kordex {

// The library folder while the window is open: replays the game writes there appear as rows
// once complete, replays another program removes drop out, without a new scan.

// What changed in a folder against the paths the library knows of it.
struct FolderChanges {
    std::vector<std::string> appeared;  // replay files the library does not know
    std::vector<std::string> vanished;  // known paths whose file is gone
};

// Compares the replay files of a folder now (FindReplayFiles) with its path list. The list,
// not the table: a stopped scan leaves files without rows that are not new.
FolderChanges CompareFolderWithList(const std::vector<std::string>& filesNow,
                                    const std::vector<std::string>& listed);

// Whether a row of the table shows the path.
bool TableHasPath(const TextGrid& table, const std::string& path);

// A look at a file being written: its size, and whether it opens for reading (the game holds
// a replay it writes closed to others on Windows).
struct FileLook {
    std::uint64_t size = 0;
    bool opens = false;
};
// The look of a file now; nothing when it is gone.
std::optional<FileLook> LookAtFile(const std::string& path);

// Files that appeared and may still be written. A file is complete when two looks in a row
// find the same size and the second finds it opening for reading.
class PendingReplays {
  public:
    using Look = std::function<std::optional<FileLook>(const std::string& path)>;

    void Add(const std::string& path);
    bool Empty() const { return pending_.empty(); }
    // Looks at every pending file once: the complete ones leave and are returned, in path
    // order; the ones gone leave too.
    std::vector<std::string> TakeComplete(const Look& look);

  private:
    std::map<std::string, std::optional<std::uint64_t>> pending_;  // path, size at last look
};

// The table and path list a replay that appeared under the watched folder belongs to: the
// library's own, or the favourites' when it lies deeper (in the favourites folder).
struct LibraryPlace {
    TextGrid& table;
    std::vector<std::string>& list;
};
LibraryPlace PlaceOfAppearedReplay(LibraryTables& library, const std::string& watchedFolder,
                                   const std::string& path);

// Whether the place shows the replay already, as a row moved into the favourites is shown
// under its new path before the folder tells of it; its path then joins the list if missing,
// and nothing is left to read.
bool AlreadyShown(const LibraryPlace& place, const std::string& path);

// Puts a new replay's row where a scan would list it (rows by path, the last path first) and
// its path into the path list; the columns widen to it.
void InsertLibraryRow(TextGrid& table, std::vector<std::string>& paths, const LibraryRow& row,
                      Desktop& desktop);

// Drops the rows and list entries of files that are gone (a moved row may be in neither).
void DropLibraryRows(TextGrid& table, std::vector<std::string>& paths,
                     const std::vector<std::string>& vanished);

}  // namespace kordex
