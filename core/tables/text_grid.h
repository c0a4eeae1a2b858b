#pragma once

#include <string>
#include <vector>

#include "platform/font_spec.h"

namespace kordex {

// The selected block of rows of a table (inclusive), as the window's selection shows it.
struct GridSelection {
    int top = 0;
    int bottom = 0;
};

// Every table of the system: text cells addressed by (column, row), fixed header rows and
// columns, resizable counts, a width per column (0 hides it) and a height per row.
// Lowering a count discards the cells beyond it; raising it again gives empty cells.
class TextGrid {
  public:
    TextGrid(int columns, int rows, int fixedColumns, int fixedRows, int defaultColumnWidth,
             int defaultRowHeight);

    int ColumnCount() const { return columns_; }
    int RowCount() const { return static_cast<int>(cells_.size()); }
    void SetColumnCount(int columns);
    void SetRowCount(int rows);

    int FixedColumns() const { return fixedColumns_; }
    int FixedRows() const { return fixedRows_; }
    int DefaultColumnWidth() const { return defaultColumnWidth_; }
    int DefaultRowHeight() const { return defaultRowHeight_; }

    // Out-of-range reads give an empty text; out-of-range writes are ignored, as a grid
    // control ignores cells it does not have.
    const std::string& Cell(int column, int row) const;
    void SetCell(int column, int row, std::string text);

    std::vector<std::string> Row(int row) const;
    // Replaces the row's cells; cells beyond the given list become empty.
    void SetRow(int row, const std::vector<std::string>& cells);
    std::vector<std::string> Column(int column) const;
    void SetColumn(int column, const std::vector<std::string>& cells);

    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);

    // The font the cells are drawn in and the width of the grid lines, for fitting widths.
    const FontSpec& Font() const { return font_; }
    void SetFont(FontSpec font) { font_ = std::move(font); }
    int LineWidth() const { return 1; }

    GridSelection Selection() const { return selection_; }
    void SetSelection(GridSelection selection) { selection_ = selection; }

  private:
    int columns_;
    int fixedColumns_;
    int fixedRows_;
    int defaultColumnWidth_;
    int defaultRowHeight_;
    // [row][column]. A row holds no cells until one of them is given a text: a library of
    // ten thousand replays makes its rows before any is read, and the window waits meanwhile.
    std::vector<std::vector<std::string>> cells_;
    std::vector<int> columnWidths_;
    std::vector<int> rowHeights_;
    GridSelection selection_;
    FontSpec font_;
};

}  // namespace kordex
