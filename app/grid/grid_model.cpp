#include "grid/grid_model.h"

#include <algorithm>

namespace kordex::app {

GridModel::GridModel(const TextGrid& grid, GridSection section, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), section_(section) {
    TakeCounts();
}

GridModel::Shape GridModel::CurrentShape() const {
    const int fixedRows = std::min(grid_.FixedRows(), grid_.RowCount());
    const int fixedColumns = std::min(grid_.FixedColumns(), grid_.ColumnCount());
    const bool bodyRows = section_ == GridSection::Body || section_ == GridSection::FixedColumns;
    const bool bodyColumns = section_ == GridSection::Body || section_ == GridSection::FixedRows;
    Shape shape;
    shape.firstRow = bodyRows ? fixedRows : 0;
    shape.rows = bodyRows ? grid_.RowCount() - fixedRows : fixedRows;
    shape.firstColumn = bodyColumns ? fixedColumns : 0;
    shape.columns = bodyColumns ? grid_.ColumnCount() - fixedColumns : fixedColumns;
    return shape;
}

void GridModel::TakeCounts() {
    const Shape shape = CurrentShape();
    firstRow_ = shape.firstRow;
    rows_ = shape.rows;
    firstColumn_ = shape.firstColumn;
    columns_ = shape.columns;
}

void GridModel::Reload() {
    if (KeepsShape()) {
        // Same shape: only texts changed, and the view keeps its scroll position, current
        // cell and selection.
        RowsChanged(0, rows_ - 1);
        return;
    }
    beginResetModel();
    TakeCounts();
    endResetModel();
}

bool GridModel::KeepsShape() const {
    return CurrentShape() == Shape{firstRow_, rows_, firstColumn_, columns_};
}

void GridModel::RowsChanged(int firstRow, int lastRow) {
    if (firstRow <= lastRow && columns_ > 0)
        emit dataChanged(index(firstRow, 0), index(lastRow, columns_ - 1), {Qt::DisplayRole});
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const int column = GridColumn(index.column());
    const int row = GridRow(index.row());
    const std::string& text = grid_.Cell(column, row);
    if (role == Qt::ToolTipRole) {
        if (text.empty())
            return {};
        return toolTip_ ? toolTip_(column, row, text) : QString::fromStdString(text);
    }
    return QString::fromStdString(text);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (section_ == GridSection::Body)
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled;
}

}  // namespace kordex::app
