#include "library/live_folder.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "library/library_actions.h"
#include "library/library_scan.h"
#include "library/replay_files.h"
#include "platform/file_io.h"
#include "text/text_collation.h"

namespace kordex {

FolderChanges CompareFolderWithList(const std::vector<std::string>& filesNow,
                                    const std::vector<std::string>& listed) {
    FolderChanges changes;
    const std::set<std::string> known(listed.begin(), listed.end());
    const std::set<std::string> present(filesNow.begin(), filesNow.end());
    for (const std::string& path : filesNow)
        if (!known.contains(path))
            changes.appeared.push_back(path);
    for (const std::string& path : listed)
        if (!present.contains(path))
            changes.vanished.push_back(path);
    return changes;
}

bool TableHasPath(const TextGrid& table, const std::string& path) {
    for (int row = table.FixedRows(); row < table.RowCount(); ++row)
        if (table.Cell(library_column::Path, row) == path)
            return true;
    return false;
}

std::optional<FileLook> LookAtFile(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path file = Utf8Path(path);
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        return std::nullopt;
    const auto size = fs::file_size(file, error);
    if (error)
        return std::nullopt;
    FileLook look;
    look.size = static_cast<std::uint64_t>(size);
    // The reader's own open: on Windows it fails while the game holds the replay for writing,
    // where a stream's open would share the file with the writer and succeed.
    ReadableFile readable;
    look.opens = ReadableFile::Open(file, readable).Ok();
    return look;
}

void PendingReplays::Add(const std::string& path) {
    pending_.try_emplace(path, std::nullopt);
}

std::vector<std::string> PendingReplays::TakeComplete(const Look& look) {
    std::vector<std::string> complete;
    for (auto it = pending_.begin(); it != pending_.end();) {
        const std::optional<FileLook> now = look(it->first);
        if (!now) {
            it = pending_.erase(it);
            continue;
        }
        const bool settled = it->second == now->size && now->opens;
        if (settled) {
            complete.push_back(it->first);
            it = pending_.erase(it);
        } else {
            it->second = now->size;
            ++it;
        }
    }
    return complete;
}

LibraryPlace PlaceOfAppearedReplay(LibraryTables& library, const std::string& watchedFolder,
                                   const std::string& path) {
    const bool favorite = !path.starts_with(watchedFolder) ||
                          path.find('/', watchedFolder.size()) != std::string::npos;
    if (favorite)
        return {library.favoriteReplays, library.favoriteReplaysList};
    return {library.allReplays, library.allReplaysList};
}

bool AlreadyShown(const LibraryPlace& place, const std::string& path) {
    if (!TableHasPath(place.table, path))
        return false;
    std::vector<std::string>& list = place.list;
    if (std::find(list.begin(), list.end(), path) == list.end())
        list.insert(std::upper_bound(list.begin(), list.end(), path, ListBoxLess), path);
    return true;
}

void InsertLibraryRow(TextGrid& table, std::vector<std::string>& paths, const LibraryRow& row,
                      Desktop& desktop) {
    const std::string& path = row.cells[library_column::Path];
    paths.insert(std::upper_bound(paths.begin(), paths.end(), path, ListBoxLess), path);
    // The first row whose path sorts before the new one: the new row goes above it.
    int at = table.FixedRows();
    while (at < table.RowCount() && !ListBoxLess(table.Cell(library_column::Path, at), path))
        ++at;
    table.SetRowCount(table.RowCount() + 1);
    for (int r = table.RowCount() - 1; r > at; --r) {
        table.SetRow(r, table.Row(r - 1));
        table.SetRowHeight(r, table.RowHeight(r - 1));
    }
    table.SetRowHeight(at, table.DefaultRowHeight());
    PlaceLibraryRow(row, at, table, desktop);
}

void DropLibraryRows(TextGrid& table, std::vector<std::string>& paths,
                     const std::vector<std::string>& vanished) {
    const std::set<std::string> gone(vanished.begin(), vanished.end());
    for (int row = table.RowCount() - 1; row >= table.FixedRows(); --row)
        if (gone.contains(table.Cell(library_column::Path, row)))
            DeleteGridRow(table, row);
    std::erase_if(paths, [&](const std::string& path) { return gone.contains(path); });
}

}  // namespace kordex
