#include "library/library_scan.h"

#include <algorithm>

#include "library/library_row.h"
#include "library/replay_files.h"
#include "tables/grid_helpers.h"

namespace kordex {

namespace {

int CellWidth(const TextGrid& table, int column, int row, Desktop& desktop) {
    return desktop.TextWidth(table.Cell(column, row), table.Font()) + table.LineWidth() + 10;
}

// Fills the table, already sized to its path list, the last path in row 1.
void FillTable(TextGrid& table, const std::vector<std::string>& paths, const IniFile& ini,
               Desktop& desktop, ScanProgress* progress) {
    const int rowCount = table.RowCount();
    for (int d = static_cast<int>(paths.size()) - 1; d >= 0; --d) {
        if (progress)
            progress->ReadingFile(paths[d]);
        ReplayToLibraryRow(paths[d], rowCount - 2 - d, table, ini, desktop);
        if (progress)
            progress->FileDone();
        // Row d is fitted here, so by the end every row, title included, was fitted once.
        FitColumnsToRow(table, d, desktop);
    }
}

}  // namespace

void FitColumnsToRow(TextGrid& table, int row, Desktop& desktop) {
    for (int column = 0; column < table.ColumnCount(); ++column) {
        const int width = CellWidth(table, column, row, desktop);
        if (table.ColumnWidth(column) < width)
            table.SetColumnWidth(column, width);
    }
}

void FitColumnsToText(TextGrid& table, Desktop& desktop) {
    for (int column = 0; column < table.ColumnCount(); ++column) {
        int widest = 0;
        for (int row = 0; row < table.RowCount(); ++row)
            widest = std::max(widest, CellWidth(table, column, row, desktop));
        table.SetColumnWidth(column, widest);
    }
}

void ProcessReplays(const std::string& folder, LibraryTables& tables, const IniFile& ini,
                    Desktop& desktop, ScanProgress* progress) {
    ClearTableBody(tables.allReplays);
    ClearTableBody(tables.favoriteReplays);
    const std::string prefix = WithFinalSeparator(folder);
    tables.allReplaysList = FindReplayFiles(prefix);
    tables.favoriteReplaysList = FindReplayFiles(prefix + kFavoritesFolderName + "/");
    // Both tables get their rows before the first file is read: a read error ends the scan
    // with every row in place, the ones not reached yet empty.
    tables.allReplays.SetRowCount(static_cast<int>(tables.allReplaysList.size()) + 1);
    tables.favoriteReplays.SetRowCount(static_cast<int>(tables.favoriteReplaysList.size()) + 1);

    if (progress)
        progress->Started(
            static_cast<int>(tables.allReplaysList.size() + tables.favoriteReplaysList.size()));
    FillTable(tables.allReplays, tables.allReplaysList, ini, desktop, progress);
    FillTable(tables.favoriteReplays, tables.favoriteReplaysList, ini, desktop, progress);
    if (progress)
        progress->Finished();
}

}  // namespace kordex
