#include "tables/header_click_sorts.h"

#include <algorithm>
#include <vector>

#include "tables/grid_sorts.h"

namespace kordex {

namespace {

bool IsTitleCell(const TextGrid& grid, int column, int row) {
    return row >= 0 && row < grid.FixedRows() && column >= 0 && column < grid.ColumnCount();
}

// Names in ascending dictionary order. The ascending sort gathers the rows without a name at
// the top; they go back below the names, where the summary table keeps its empty rows.
void SortNamesAscending(TextGrid& grid, int column) {
    SortGridByIntOrTextAsc(grid, column);
    const int first = grid.FixedRows();
    int named = first;
    while (named < grid.RowCount() && grid.Cell(column, named).empty())
        ++named;
    if (named == first || named == grid.RowCount())
        return;
    std::vector<std::vector<std::string>> rows;
    for (int row = first; row < grid.RowCount(); ++row)
        rows.push_back(grid.Row(row));
    std::rotate(rows.begin(), rows.begin() + (named - first), rows.end());
    for (std::size_t i = 0; i < rows.size(); ++i)
        grid.SetRow(first + static_cast<int>(i), rows[i]);
}

}  // namespace

HeaderSort TeamTableHeaderSort(int column, int row) {
    if (row != 0)
        return HeaderSort::None;
    // "Убил", "Опыт", "Урон", "Свет", "Гусли", "Точн."
    return column >= 5 && column <= 10 ? HeaderSort::NumberDescEmptyAsZero : HeaderSort::None;
}

HeaderSort SeriesTableHeaderSort(SeriesTable table, const TextGrid& grid, int column, int row,
                                 bool multiGroupPlayers) {
    if (table == SeriesTable::Shots || table == SeriesTable::Summary)
        return HeaderSort::None;
    if (!IsTitleCell(grid, column, row) || column < 2)
        return HeaderSort::None;
    const auto& title = grid.Cell(column, 0);
    const bool summaryColumn = title == "Суммарно" || title == "В среднем";
    // A battle column holds one value per player only when every row is one battle.
    if (!summaryColumn && !multiGroupPlayers)
        return HeaderSort::None;
    return table == SeriesTable::Support ? HeaderSort::PairSumDesc : HeaderSort::NumberDesc;
}

HeaderSort SummaryTableHeaderSort(int column, int row) {
    // Columns 9 to 11 are the attendance: battles, wins, win percentage.
    if (row != 0 || column < 0 || column > 11)
        return HeaderSort::None;
    // The names cannot be read as numbers; alphabetical order is what a reader looks for.
    if (column == 0)
        return HeaderSort::NamesAsc;
    return column == 4 || column == 8 ? HeaderSort::PairSumDesc : HeaderSort::NumberDesc;
}

void ApplyHeaderSort(HeaderSort sort, TextGrid& grid, int column, const NumberFormat& format) {
    switch (sort) {
        case HeaderSort::None:
            return;
        case HeaderSort::NumberDesc:
            SortGridByNumberDesc(grid, column, format);
            return;
        case HeaderSort::NumberDescEmptyAsZero:
            SortGridByNumberDesc(grid, column, format, EmptyCells::Zero);
            return;
        case HeaderSort::PairSumDesc:
            SortGridByPairSumDesc(grid, column);
            return;
        case HeaderSort::IntOrTextDesc:
            SortGridByIntOrTextDesc(grid, column);
            return;
        case HeaderSort::IntOrTextAsc:
            SortGridByIntOrTextAsc(grid, column);
            return;
        case HeaderSort::NamesAsc:
            SortNamesAscending(grid, column);
            return;
    }
}

bool SortTeamTablesByHeader(TextGrid& allies, TextGrid& enemies, int column, int row,
                            const NumberFormat& format) {
    const auto sort = TeamTableHeaderSort(column, row);
    if (sort == HeaderSort::None)
        return false;
    ApplyHeaderSort(sort, allies, column, format);
    ApplyHeaderSort(sort, enemies, column, format);
    return true;
}

bool SortSeriesTableByHeader(SeriesTable table, TextGrid& grid, int column, int row,
                             bool multiGroupPlayers, const NumberFormat& format) {
    const auto sort = SeriesTableHeaderSort(table, grid, column, row, multiGroupPlayers);
    ApplyHeaderSort(sort, grid, column, format);
    return sort != HeaderSort::None;
}

bool SortSummaryTableByHeader(TextGrid& summary, int column, int row, const NumberFormat& format) {
    const auto sort =
        column < summary.ColumnCount() ? SummaryTableHeaderSort(column, row) : HeaderSort::None;
    ApplyHeaderSort(sort, summary, column, format);
    return sort != HeaderSort::None;
}

bool SortLibraryListByHeader(LibrarySortState& state, TextGrid& list, int column, int row) {
    if (!IsTitleCell(list, column, row))
        return false;
    const bool descending = state.Click(column);
    ApplyHeaderSort(descending ? HeaderSort::IntOrTextDesc : HeaderSort::IntOrTextAsc, list, column,
                    NumberFormat{});
    return true;
}

}  // namespace kordex
