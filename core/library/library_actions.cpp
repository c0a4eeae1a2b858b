#include "library/library_actions.h"

#include <algorithm>

#include "library/library_scan.h"
#include "library/library_search.h"
#include "library/library_tables.h"
#include "library/replay_files.h"
#include "text/text_collation.h"

namespace kordex {

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void DeleteGridRow(TextGrid& table, int row) {
    if (row < 0 || row >= table.RowCount())
        return;
    for (int r = row; r < table.RowCount() - 1; ++r)
        table.SetRow(r, table.Row(r + 1));
    table.SetRowCount(table.RowCount() - 1);
}

std::string FavoritesTargetPath(const std::string& path) {
    return FolderOf(path) + kFavoritesFolderName + "/" + FileNameOf(path);
}

int AddToFavorites(TextGrid& allReplays, TextGrid& favoriteReplays, FileSystem& files,
                   Desktop& desktop) {
    int moved = 0;
    const auto selection = allReplays.Selection();
    // Bottom up, so the rows still to be handled keep their numbers while rows go.
    for (int r = selection.bottom; r >= selection.top; --r) {
        const std::string path = allReplays.Cell(library_column::Path, r);
        if (r <= 0 || r >= allReplays.RowCount() || path.empty() || !RowShown(allReplays, r))
            continue;
        const std::string target = FavoritesTargetPath(path);
        // A folder that cannot be made fails the move below, which leaves the row.
        (void)files.CreateFolder(FolderOf(target));
        if (!files.MoveFileNoReplace(path, target))
            continue;
        const int added = favoriteReplays.RowCount();
        favoriteReplays.SetRowCount(added + 1);
        favoriteReplays.SetRow(added, allReplays.Row(r));
        favoriteReplays.SetCell(library_column::Path, added, target);
        DeleteGridRow(allReplays, r);
        ++moved;
    }
    FitColumnsToText(favoriteReplays, desktop);
    return moved;
}

std::string DeleteQuestion(const TextGrid& table) {
    // The rows a search hides are not asked about, nor deleted.
    const auto selection = table.Selection();
    int count = 0;
    for (int r = selection.top; r <= selection.bottom; ++r)
        count += r >= table.RowCount() || RowShown(table, r) ? 1 : 0;
    return "Удалить выбранные реплеи (" + std::to_string(count) + " шт.)?";
}

int DeleteSelected(TextGrid& table, FileSystem& files, Desktop& desktop) {
    if (!desktop.Confirm(DeleteQuestion(table)))
        return 0;
    int deleted = 0;
    const auto selection = table.Selection();
    for (int r = selection.bottom; r >= selection.top; --r) {
        // The title row is never a replay; an empty path deletes nothing.
        if (r <= 0 || r >= table.RowCount() || !RowShown(table, r))
            continue;
        const std::string path = table.Cell(library_column::Path, r);
        if (path.empty() || !files.MoveToTrash(path))
            continue;
        DeleteGridRow(table, r);
        ++deleted;
    }
    return deleted;
}

HandOff HandOffSelection(const TextGrid& table) {
    const auto selection = table.Selection();
    if (selection.top == selection.bottom) {
        const std::string& path = table.Cell(library_column::Path, selection.top);
        if (selection.top == 0 || path.empty())
            return NoHandOff{};
        return SingleHandOff{path};
    }
    SeriesHandOff series;
    for (int r = selection.top; r <= selection.bottom; ++r) {
        const std::string& path = table.Cell(library_column::Path, r);
        if (r == 0 || path.empty() || !RowShown(table, r))
            continue;
        series.paths.push_back(path);
    }
    if (series.paths.empty())
        return NoHandOff{};
    SortLikeListBox(series.paths);
    return series;
}

void OpenReplayFolder(const std::string& fieldText, FileSystem& files, Desktop& desktop) {
    if (!fieldText.empty() && files.FolderExists(fieldText))
        desktop.Open(fieldText);
}

}  // namespace kordex
