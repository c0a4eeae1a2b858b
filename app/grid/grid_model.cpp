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
    const Shape shape = CurrentShape();
    if (shape.rows == rows_ && shape.columns == columns_ && shape.firstRow == firstRow_ &&
        shape.firstColumn == firstColumn_) {
        // Same shape: only texts changed, and the view keeps its scroll position, current
        // cell and selection.
        if (rows_ > 0 && columns_ > 0)
            emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1), {Qt::DisplayRole});
        return;
    }
    beginResetModel();
    TakeCounts();
    endResetModel();
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
