#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <string>

#include "tables/text_grid.h"

namespace kordex::app {

// One of the four panes a TextGrid is shown in: the body scrolls both ways, the fixed rows
// scroll only sideways, the fixed columns only up and down, the corner never.
enum class GridSection { Body, FixedRows, FixedColumns, Corner };

// The cells of one section of a TextGrid. The grid is changed by the core directly, so the
// model takes its counts only at Reload(); the view reloads after every handler.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    GridModel(const TextGrid& grid, GridSection section, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void Reload();
    // Whether the grid still has the counts taken last: only its texts and sizes changed.
    bool KeepsShape() const;
    // Tells the views that the texts of these model rows changed.
    void RowsChanged(int firstRow, int lastRow);

    // The tool tip of a cell (grid column, row, text): the text the cell shows, uncut.
    using ToolTipText = std::function<QString(int column, int row, const std::string& text)>;
    void SetToolTipText(ToolTipText toolTip) { toolTip_ = std::move(toolTip); }

    const TextGrid& Grid() const { return grid_; }
    GridSection Section() const { return section_; }
    // The grid coordinates of a model position and back.
    int FirstGridRow() const { return firstRow_; }
    int FirstGridColumn() const { return firstColumn_; }
    int GridRow(int modelRow) const { return firstRow_ + modelRow; }
    int GridColumn(int modelColumn) const { return firstColumn_ + modelColumn; }

  private:
    struct Shape {
        int firstRow = 0;
        int rows = 0;
        int firstColumn = 0;
        int columns = 0;
        bool operator==(const Shape&) const = default;
    };
    Shape CurrentShape() const;
    void TakeCounts();

    const TextGrid& grid_;
    GridSection section_;
    ToolTipText toolTip_;
    int firstRow_ = 0;
    int firstColumn_ = 0;
    int rows_ = 0;
    int columns_ = 0;
};

}  // namespace kordex::app
