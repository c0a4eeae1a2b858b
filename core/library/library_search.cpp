#include "library/library_search.h"

#include <algorithm>

#include "text/letter_case.h"

namespace kordex {

std::string SearchKey(std::string_view typed) {
    const auto first = typed.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = typed.find_last_not_of(" \t");
    return FoldLetterCase(typed.substr(first, last - first + 1));
}

namespace {

bool CellHolds(const std::string& cell, std::string_view key) {
    // Folding keeps the length of every letter it changes, so a shorter cell cannot hold it.
    return cell.size() >= key.size() && FoldLetterCase(cell).find(key) != std::string::npos;
}

bool TableRowMatches(const TextGrid& table, int row, std::string_view key) {
    for (int column = 0; column < table.ColumnCount(); ++column)
        if (CellHolds(table.Cell(column, row), key))
            return true;
    return false;
}

}  // namespace

bool RowMatchesSearch(const std::vector<std::string>& cells, std::string_view key) {
    if (key.empty())
        return true;
    return std::any_of(cells.begin(), cells.end(),
                       [&](const std::string& cell) { return CellHolds(cell, key); });
}

void ApplyLibrarySearch(TextGrid& table, std::string_view key, int first, int last) {
    first = std::max(first, table.FixedRows());
    last = std::min(last, table.RowCount() - 1);
    for (int row = first; row <= last; ++row) {
        const bool shown = key.empty() || TableRowMatches(table, row, key);
        table.SetRowHeight(row, shown ? table.DefaultRowHeight() : 0);
    }
}

void ApplyLibrarySearch(TextGrid& table, std::string_view key) {
    ApplyLibrarySearch(table, key, table.FixedRows(), table.RowCount() - 1);
}

bool RowShown(const TextGrid& table, int row) {
    return table.RowHeight(row) > 0;
}

}  // namespace kordex
