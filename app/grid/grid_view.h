#pragma once

#include <QFrame>
#include <QTableView>
#include <array>
#include <optional>

#include "grid/grid_delegate.h"
#include "grid/grid_model.h"

class QScrollBar;

namespace kordex::app {

class GridView;

// One section of a grid on screen: a table view without headers whose mouse input goes to
// the GridView, which speaks in the grid's own cell coordinates.
class GridPane : public QTableView {
    Q_OBJECT
  public:
    GridPane(GridView& owner, GridModel& model, GridDelegate& delegate, QWidget* parent);

    GridModel& Model() const { return model_; }
    // The grid cell at a point of the viewport; (-1, -1) when there is none.
    QPoint GridCellAt(QPoint viewportPoint) const;
    // The rectangle of a grid cell in viewport coordinates; empty when this pane lacks it.
    QRect GridCellRect(int column, int row) const;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    friend class GridView;
    // The column whose right border lies under x, for resizing; -1 when none.
    int ColumnBorderAt(int x) const;

    GridView& owner_;
    GridModel& model_;
};

// A TextGrid as the user sees it: fixed rows and columns stay in place while the body scrolls
// by whole rows and columns, widths and heights come from the grid (width 0 hides a column),
// fixed cells look like headers. The grid is the store: the core changes it, Refresh() shows
// the change; a selection of body rows is written back into the grid at once.
class GridView : public QFrame {
    Q_OBJECT
  public:
    explicit GridView(TextGrid& grid, QWidget* parent = nullptr);

    TextGrid& Grid() { return grid_; }
    const TextGrid& Grid() const { return grid_; }

    void SetCellStyleHook(CellStyleHook hook);
    void SetScrollBars(bool shown);
    void SetColumnsResizable(bool resizable) { columnsResizable_ = resizable; }
    // Lets the user select a block of whole rows (the library lists).
    void SetRowRangeSelection(bool rows);
    // A wheel notch moves the current row and the view by the series tables' rule (with
    // Shift alone, by a column) instead of the toolkit's own scrolling.
    void SetSeriesWheelScroll(bool on) { seriesWheelScroll_ = on; }

    // Takes the grid's counts, texts, widths, heights and selection.
    void Refresh();
    // Takes the texts and heights of the grid rows firstRow..lastRow and every column's width,
    // painting again only the rows of them that are on screen: a scan fills thousands of rows
    // one after the other, most of them out of sight. Refresh() when the counts changed.
    void RefreshRows(int firstRow, int lastRow);

    // The width the columns have inside the frame.
    int InnerWidth() const { return width() - 2 * frameWidth(); }

    // Scrolling in grid rows and columns, as the wheel handlers need it.
    int TopRow() const;
    void SetTopRow(int row);
    int LeftColumn() const;
    void SetLeftColumn(int column);
    int VisibleRowCount() const;     // body rows fully visible
    int VisibleColumnCount() const;  // body columns fully visible
    int LastLeftColumn() const;      // the furthest the body can scroll to the right
    // The current cell's row, which keyboard and wheel move; a body row.
    int CurrentRow() const;
    void SetCurrentRow(int row);

    // The pane that shows a cell and the cell's rectangle in that pane's viewport (tests,
    // tool tips); nothing when the cell is not on screen.
    GridPane* PaneOfCell(int column, int row, QRect* rect) const;
    GridPane* BodyPane() const { return panes_[0]; }

  signals:
    void fixedCellClicked(int column, int row);
    // Anywhere in the table; column and row are -1 off the cells.
    void cellDoubleClicked(int column, int row);

  private:
    friend class GridPane;
    bool PanePress(GridPane& pane, QMouseEvent* event);
    bool PaneMove(GridPane& pane, QMouseEvent* event);
    bool PaneRelease(GridPane& pane, QMouseEvent* event);
    void PaneDoubleClick(GridPane& pane, QMouseEvent* event);
    bool PaneWheel(QWheelEvent* event);
    void SeriesWheelNotch(bool down, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

    void ApplySizes();
    void ApplyColumnSizes();
    // The heights of the pane's model rows firstRow..lastRow (0 hides a row).
    void ApplyRowSizes(GridPane& pane, int firstRow, int lastRow);
    void ApplyFixedSizes();
    void ApplySelection();
    void TakeSelection();
    // The block of body rows the view shows selected; nothing when none is.
    std::optional<GridSelection> ViewSelection() const;
    void UpdateScrollBars();

    TextGrid& grid_;
    GridDelegate delegate_;
    // Body, fixed rows, fixed columns, corner.
    std::array<GridModel*, 4> models_{};
    std::array<GridPane*, 4> panes_{};
    QScrollBar* vertical_ = nullptr;
    QScrollBar* horizontal_ = nullptr;
    bool scrollBars_ = true;
    bool columnsResizable_ = false;
    bool rowRangeSelection_ = false;
    bool seriesWheelScroll_ = false;
    bool applyingSelection_ = false;

    QPoint pressedCell_{-1, -1};
    int resizingColumn_ = -1;
    int resizeStartX_ = 0;
    int resizeStartWidth_ = 0;
    int wheelRemainder_ = 0;
};

}  // namespace kordex::app
