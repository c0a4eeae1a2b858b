#include "tables/text_grid.h"

#include <algorithm>

namespace kordex {

namespace {
const std::string kEmpty;
}

TextGrid::TextGrid(int columns, int rows, int fixedColumns, int fixedRows, int defaultColumnWidth,
                   int defaultRowHeight)
    : columns_(0),
      fixedColumns_(fixedColumns),
      fixedRows_(fixedRows),
      defaultColumnWidth_(defaultColumnWidth),
      defaultRowHeight_(defaultRowHeight) {
    SetColumnCount(columns);
    SetRowCount(rows);
}

void TextGrid::SetColumnCount(int columns) {
    columns = std::max(columns, 0);
    for (auto& row : cells_)
        if (static_cast<int>(row.size()) > columns)
            row.resize(columns);
    columnWidths_.resize(columns, defaultColumnWidth_);
    columns_ = columns;
}

void TextGrid::SetRowCount(int rows) {
    rows = std::max(rows, 0);
    cells_.resize(rows);
    rowHeights_.resize(rows, defaultRowHeight_);
}

const std::string& TextGrid::Cell(int column, int row) const {
    if (column < 0 || column >= columns_ || row < 0 || row >= RowCount())
        return kEmpty;
    const std::vector<std::string>& cells = cells_[row];
    return column < static_cast<int>(cells.size()) ? cells[column] : kEmpty;
}

void TextGrid::SetCell(int column, int row, std::string text) {
    if (column < 0 || column >= columns_ || row < 0 || row >= RowCount())
        return;
    std::vector<std::string>& cells = cells_[row];
    if (column >= static_cast<int>(cells.size())) {
        if (text.empty())
            return;
        cells.resize(columns_);
    }
    cells[column] = std::move(text);
}

std::vector<std::string> TextGrid::Row(int row) const {
    if (row < 0 || row >= RowCount())
        return std::vector<std::string>(columns_);
    std::vector<std::string> cells = cells_[row];
    cells.resize(columns_);
    return cells;
}

void TextGrid::SetRow(int row, const std::vector<std::string>& cells) {
    for (int column = 0; column < columns_; ++column)
        SetCell(column, row, column < static_cast<int>(cells.size()) ? cells[column] : kEmpty);
}

std::vector<std::string> TextGrid::Column(int column) const {
    std::vector<std::string> result;
    result.reserve(RowCount());
    for (int row = 0; row < RowCount(); ++row)
        result.push_back(Cell(column, row));
    return result;
}

void TextGrid::SetColumn(int column, const std::vector<std::string>& cells) {
    for (int row = 0; row < RowCount(); ++row)
        SetCell(column, row, row < static_cast<int>(cells.size()) ? cells[row] : kEmpty);
}

int TextGrid::ColumnWidth(int column) const {
    if (column < 0 || column >= columns_)
        return 0;
    return columnWidths_[column];
}

void TextGrid::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= columns_)
        return;
    columnWidths_[column] = width;
}

int TextGrid::RowHeight(int row) const {
    if (row < 0 || row >= RowCount())
        return 0;
    return rowHeights_[row];
}

void TextGrid::SetRowHeight(int row, int height) {
    if (row < 0 || row >= RowCount())
        return;
    rowHeights_[row] = height;
}

}  // namespace kordex
