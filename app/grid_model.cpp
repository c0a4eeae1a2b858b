#include "grid_model.h"

#include <algorithm>

namespace kordex::app {

GridModel::GridModel(const TextGrid& grid, GridSection section, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), section_(section) {
    TakeCounts();
}

void GridModel::TakeCounts() {
    const int fixedRows = std::min(grid_.FixedRows(), grid_.RowCount());
    const int fixedColumns = std::min(grid_.FixedColumns(), grid_.ColumnCount());
    const bool bodyRows = section_ == GridSection::Body || section_ == GridSection::FixedColumns;
    const bool bodyColumns = section_ == GridSection::Body || section_ == GridSection::FixedRows;
    firstRow_ = bodyRows ? fixedRows : 0;
    rows_ = bodyRows ? grid_.RowCount() - fixedRows : fixedRows;
    firstColumn_ = bodyColumns ? fixedColumns : 0;
    columns_ = bodyColumns ? grid_.ColumnCount() - fixedColumns : fixedColumns;
}

void GridModel::Reload() {
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
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(grid_.Cell(GridColumn(index.column()), GridRow(index.row())));
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (section_ == GridSection::Body)
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled;
}

}  // namespace kordex::app
