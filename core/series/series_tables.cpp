#include "series/series_tables.h"

#include <algorithm>

#include "series/series_table_style.h"
#include "shell/drop_rule.h"
#include "tables/grid_helpers.h"

namespace kordex {

void RunList::Add(std::string path) {
    const auto at = std::upper_bound(
        paths_.begin(), paths_.end(), path,
        [](const std::string& a, const std::string& b) { return ListBoxLess(a, b); });
    paths_.insert(at, std::move(path));
}

void RunList::Assign(std::vector<std::string> paths) {
    SortLikeListBox(paths);
    paths_ = std::move(paths);
}

std::array<const TextGrid*, 5> SeriesGridsOf(const WindowTables& tables) {
    return {&tables.SeriesGridExp, &tables.SeriesGridFrags, &tables.SeriesGridDamage,
            &tables.SeriesGridSupport, &tables.SeriesGridShots};
}

void PrepareSeriesGrids(WindowTables& tables, int replays) {
    for (TextGrid* grid : tables.SeriesGrids()) {
        grid->SetColumnCount(replays + 2);
        grid->SetRowCount(kSeriesInitialRows);
        for (int row = 0; row < grid->RowCount(); ++row) {
            for (int column = 0; column < grid->ColumnCount(); ++column) {
                const bool headerText = row < kSeriesStartRow && column < 2;
                if (!headerText)
                    grid->SetCell(column, row, {});
            }
        }
    }
    ClearTableBody(tables.SeriesGridSummary);
}

void FitSeriesColumnWidths(WindowTables& tables, Desktop& desktop) {
    const auto grids = tables.SeriesGrids();
    for (int column = 0; column < tables.SeriesGridExp.ColumnCount(); ++column) {
        int width = 0;
        for (const TextGrid* grid : grids)
            width = std::max(width, FitColumnWidth(*grid, column, desktop));
        for (TextGrid* grid : grids)
            grid->SetColumnWidth(column, width);
    }
    TextGrid& summary = tables.SeriesGridSummary;
    for (int column = 0; column < summary.ColumnCount(); ++column)
        summary.SetColumnWidth(column, FitColumnWidth(summary, column, desktop));
}

std::optional<int> BattleReplayIndex(const TextGrid& grid, const RunList& runList, int column) {
    if (column < 2 || column >= grid.ColumnCount() ||
        SeriesColumnOf(grid, column) != SeriesColumn::Battle)
        return std::nullopt;
    // With the totals in front the battles follow them in their own order.
    const int index = column - (TotalsAtFront(grid) ? 4 : 2);
    if (index < 0 || index >= runList.Size())
        return std::nullopt;
    return index;
}

}  // namespace kordex
