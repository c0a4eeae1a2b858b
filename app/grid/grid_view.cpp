#include "grid/grid_view.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "platform/qt_font.h"
#include "tables/wheel_scroll.h"

namespace kordex::app {

namespace {

enum PaneIndex { kBody = 0, kFixedRows = 1, kFixedColumns = 2, kCorner = 3 };

// Qt counts the grid line inside a section; the grid's widths and heights leave it out.
int SectionSize(int gridSize) {
    return gridSize + 1;
}

bool ShowsFixedRows(const GridPane& pane) {
    GridSection section = pane.Model().Section();
    return section == GridSection::FixedRows || section == GridSection::Corner;
}

constexpr int kWheelNotch = 120;
constexpr int kDefaultWheelRows = 3;

}  // namespace

GridPane::GridPane(GridView& owner, GridModel& model, GridDelegate& delegate, QWidget* parent)
    : QTableView(parent), owner_(owner), model_(model) {
    setModel(&model_);
    setItemDelegate(&delegate);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setAutoScroll(false);
    setMouseTracking(true);
    if (model_.Section() != GridSection::Body) {
        setSelectionMode(QAbstractItemView::NoSelection);
        setFocusPolicy(Qt::NoFocus);
    } else {
        setSelectionMode(QAbstractItemView::SingleSelection);
    }
}

QPoint GridPane::GridCellAt(QPoint viewportPoint) const {
    QModelIndex index = indexAt(viewportPoint);
    if (!index.isValid())
        return {-1, -1};
    return {model_.GridColumn(index.column()), model_.GridRow(index.row())};
}

QRect GridPane::GridCellRect(int column, int row) const {
    QModelIndex index =
        model_.index(row - model_.FirstGridRow(), column - model_.FirstGridColumn());
    if (!index.isValid())
        return {};
    return visualRect(index);
}

int GridPane::ColumnBorderAt(int x) const {
    for (int column = 0; column < model_.columnCount(); ++column) {
        if (isColumnHidden(column))
            continue;
        int right = columnViewportPosition(column) + columnWidth(column);
        if (std::abs(x - right) <= 2)
            return model_.GridColumn(column);
    }
    return -1;
}

void GridPane::mousePressEvent(QMouseEvent* event) {
    if (owner_.PanePress(*this, event))
        return;
    if (model_.Section() == GridSection::Body)
        QTableView::mousePressEvent(event);
}

void GridPane::mouseMoveEvent(QMouseEvent* event) {
    if (owner_.PaneMove(*this, event))
        return;
    if (model_.Section() == GridSection::Body)
        QTableView::mouseMoveEvent(event);
}

void GridPane::mouseReleaseEvent(QMouseEvent* event) {
    if (owner_.PaneRelease(*this, event))
        return;
    if (model_.Section() == GridSection::Body)
        QTableView::mouseReleaseEvent(event);
}

void GridPane::mouseDoubleClickEvent(QMouseEvent* event) {
    if (model_.Section() == GridSection::Body)
        QTableView::mouseDoubleClickEvent(event);
    owner_.PaneDoubleClick(*this, event);
}

void GridPane::wheelEvent(QWheelEvent* event) {
    if (owner_.PaneWheel(event))
        return;
    if (model_.Section() == GridSection::Body) {
        QTableView::wheelEvent(event);
        return;
    }
    // Fixed panes do not scroll themselves: the body does, and they follow it.
    QScrollBar* bar = owner_.BodyPane()->verticalScrollBar();
    bar->setValue(bar->value() - event->angleDelta().y() / kWheelNotch * kDefaultWheelRows);
    event->accept();
}

GridView::GridView(TextGrid& grid, QWidget* parent) : QFrame(parent), grid_(grid), delegate_(this) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    const std::array<GridSection, 4> sections = {GridSection::Body, GridSection::FixedRows,
                                                 GridSection::FixedColumns, GridSection::Corner};
    for (int i = 0; i < 4; ++i) {
        models_[i] = new GridModel(grid_, sections[i], this);
        models_[i]->SetToolTipText([this](int column, int row, const std::string& text) {
            return delegate_.FullText(column, row, text);
        });
        panes_[i] = new GridPane(*this, *models_[i], delegate_, this);
        panes_[i]->setFont(ToQFont(grid_.Font()));
    }
    setFocusProxy(panes_[kBody]);

    vertical_ = new QScrollBar(Qt::Vertical, this);
    horizontal_ = new QScrollBar(Qt::Horizontal, this);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panes_[kCorner], 0, 0);
    layout->addWidget(panes_[kFixedRows], 0, 1);
    layout->addWidget(panes_[kFixedColumns], 1, 0);
    layout->addWidget(panes_[kBody], 1, 1);
    layout->addWidget(vertical_, 0, 2, 2, 1);
    layout->addWidget(horizontal_, 2, 0, 1, 2);

    // The body's own scroll bars hold the position; the visible ones mirror them, and the
    // fixed panes follow the body along their free direction.
    QScrollBar* bodyVertical = panes_[kBody]->verticalScrollBar();
    QScrollBar* bodyHorizontal = panes_[kBody]->horizontalScrollBar();
    connect(bodyVertical, &QScrollBar::rangeChanged, this, [this](int min, int max) {
        vertical_->setRange(min, max);
        UpdateScrollBars();
    });
    connect(bodyHorizontal, &QScrollBar::rangeChanged, this, [this](int min, int max) {
        horizontal_->setRange(min, max);
        UpdateScrollBars();
    });
    connect(bodyVertical, &QScrollBar::valueChanged, this, [this](int value) {
        vertical_->setValue(value);
        panes_[kFixedColumns]->verticalScrollBar()->setValue(value);
    });
    connect(bodyHorizontal, &QScrollBar::valueChanged, this, [this](int value) {
        horizontal_->setValue(value);
        panes_[kFixedRows]->horizontalScrollBar()->setValue(value);
    });
    connect(vertical_, &QScrollBar::valueChanged, bodyVertical, &QScrollBar::setValue);
    connect(horizontal_, &QScrollBar::valueChanged, bodyHorizontal, &QScrollBar::setValue);
    connect(panes_[kBody]->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { TakeSelection(); });
    // A model reset replaces the selection model's contents, not the model itself.
    Refresh();
}

void GridView::SetCellStyleHook(CellStyleHook hook) {
    delegate_.SetHook(std::move(hook));
    for (GridPane* pane : panes_)
        pane->viewport()->update();
}

void GridView::SetScrollBars(bool shown) {
    scrollBars_ = shown;
    UpdateScrollBars();
}

void GridView::SetRowRangeSelection(bool rows) {
    rowRangeSelection_ = rows;
    GridPane* body = panes_[kBody];
    body->setSelectionBehavior(rows ? QAbstractItemView::SelectRows
                                    : QAbstractItemView::SelectItems);
    body->setSelectionMode(rows ? QAbstractItemView::ContiguousSelection
                                : QAbstractItemView::SingleSelection);
    ApplySelection();
}

void GridView::Refresh() {
    delegate_.RearmFailureReport();
    for (GridModel* model : models_)
        model->Reload();
    for (GridPane* pane : panes_)
        pane->setFont(ToQFont(grid_.Font()));
    ApplySizes();
    // The view's selection is the grid's unless the core changed the grid's.
    std::optional<GridSelection> shown = ViewSelection();
    const GridSelection stored = grid_.Selection();
    if (!shown || shown->top != stored.top || shown->bottom != stored.bottom)
        ApplySelection();
    for (GridPane* pane : panes_)
        pane->viewport()->update();
}

void GridView::RefreshRows(int firstRow, int lastRow) {
    if (!std::all_of(models_.begin(), models_.end(),
                     [](const GridModel* model) { return model->KeepsShape(); })) {
        Refresh();
        return;
    }
    ApplyColumnSizes();
    for (GridPane* pane : panes_) {
        GridModel& model = pane->Model();
        const int first = std::max(firstRow - model.FirstGridRow(), 0);
        const int last = std::min(lastRow - model.FirstGridRow(), model.rowCount() - 1);
        if (first > last)
            continue;
        ApplyRowSizes(*pane, first, last);
        const int top = pane->rowAt(0);
        if (top < 0)
            continue;
        const int bottom = pane->rowAt(pane->viewport()->height() - 1);
        model.RowsChanged(std::max(first, top),
                          std::min(last, bottom < 0 ? model.rowCount() - 1 : bottom));
    }
    ApplyFixedSizes();
}

void GridView::ApplySizes() {
    for (GridPane* pane : panes_) {
        pane->horizontalHeader()->setDefaultSectionSize(SectionSize(grid_.DefaultColumnWidth()));
        pane->verticalHeader()->setDefaultSectionSize(SectionSize(grid_.DefaultRowHeight()));
    }
    ApplyColumnSizes();
    for (GridPane* pane : panes_)
        ApplyRowSizes(*pane, 0, pane->Model().rowCount() - 1);
    ApplyFixedSizes();
}

void GridView::ApplyColumnSizes() {
    for (GridPane* pane : panes_) {
        const GridModel& model = pane->Model();
        for (int column = 0; column < model.columnCount(); ++column) {
            int width = grid_.ColumnWidth(model.GridColumn(column));
            pane->setColumnHidden(column, width <= 0);
            if (width > 0)
                pane->setColumnWidth(column, SectionSize(width));
        }
    }
}

void GridView::ApplyRowSizes(GridPane& pane, int firstRow, int lastRow) {
    const GridModel& model = pane.Model();
    for (int row = firstRow; row <= lastRow; ++row) {
        int height = grid_.RowHeight(model.GridRow(row));
        pane.setRowHidden(row, height <= 0);
        if (height > 0 && height != grid_.DefaultRowHeight())
            pane.setRowHeight(row, SectionSize(height));
    }
}

void GridView::ApplyFixedSizes() {
    int fixedHeight = 0;
    for (int row = 0; row < std::min(grid_.FixedRows(), grid_.RowCount()); ++row)
        fixedHeight += grid_.RowHeight(row) > 0 ? SectionSize(grid_.RowHeight(row)) : 0;
    int fixedWidth = 0;
    for (int column = 0; column < std::min(grid_.FixedColumns(), grid_.ColumnCount()); ++column)
        fixedWidth += grid_.ColumnWidth(column) > 0 ? SectionSize(grid_.ColumnWidth(column)) : 0;
    panes_[kFixedRows]->setFixedHeight(fixedHeight);
    panes_[kCorner]->setFixedSize(fixedWidth, fixedHeight);
    panes_[kFixedColumns]->setFixedWidth(fixedWidth);
    panes_[kFixedRows]->setVisible(fixedHeight > 0);
    panes_[kFixedColumns]->setVisible(fixedWidth > 0);
    panes_[kCorner]->setVisible(fixedHeight > 0 && fixedWidth > 0);
}

void GridView::ApplySelection() {
    GridPane* body = panes_[kBody];
    GridModel& model = *models_[kBody];
    if (!rowRangeSelection_ || model.rowCount() == 0 || model.columnCount() == 0)
        return;
    const int fixedRows = model.FirstGridRow();
    GridSelection selection = grid_.Selection();
    int top = std::clamp(selection.top - fixedRows, 0, model.rowCount() - 1);
    int bottom = std::clamp(selection.bottom - fixedRows, top, model.rowCount() - 1);
    applyingSelection_ = true;
    QItemSelection rows(model.index(top, 0), model.index(bottom, model.columnCount() - 1));
    body->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    body->selectionModel()->setCurrentIndex(model.index(top, 0), QItemSelectionModel::NoUpdate);
    applyingSelection_ = false;
    grid_.SetSelection({top + fixedRows, bottom + fixedRows});
}

std::optional<GridSelection> GridView::ViewSelection() const {
    const QModelIndexList selected = panes_[kBody]->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return std::nullopt;
    int top = selected.front().row();
    int bottom = top;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
    }
    const int fixedRows = models_[kBody]->FirstGridRow();
    return GridSelection{top + fixedRows, bottom + fixedRows};
}

void GridView::TakeSelection() {
    if (applyingSelection_)
        return;
    if (std::optional<GridSelection> selection = ViewSelection())
        grid_.SetSelection(*selection);
}

void GridView::UpdateScrollBars() {
    vertical_->setVisible(scrollBars_ && vertical_->maximum() > 0);
    horizontal_->setVisible(scrollBars_ && horizontal_->maximum() > 0);
}

int GridView::TopRow() const {
    GridPane* body = panes_[kBody];
    int row = body->rowAt(0);
    return body->Model().GridRow(row < 0 ? 0 : row);
}

void GridView::SetTopRow(int row) {
    panes_[kBody]->verticalScrollBar()->setValue(row - models_[kBody]->FirstGridRow());
}

int GridView::LeftColumn() const {
    GridPane* body = panes_[kBody];
    int column = body->columnAt(0);
    return body->Model().GridColumn(column < 0 ? 0 : column);
}

void GridView::SetLeftColumn(int column) {
    panes_[kBody]->horizontalScrollBar()->setValue(column - models_[kBody]->FirstGridColumn());
}

int GridView::VisibleRowCount() const {
    GridPane* body = panes_[kBody];
    const int height = body->viewport()->height();
    int count = 0;
    for (int row = std::max(body->rowAt(0), 0); row < body->Model().rowCount(); ++row) {
        if (body->isRowHidden(row))
            continue;
        if (body->rowViewportPosition(row) + body->rowHeight(row) > height)
            break;
        ++count;
    }
    return count;
}

int GridView::VisibleColumnCount() const {
    GridPane* body = panes_[kBody];
    const int width = body->viewport()->width();
    int count = 0;
    for (int column = std::max(body->columnAt(0), 0); column < body->Model().columnCount();
         ++column) {
        if (body->isColumnHidden(column))
            continue;
        if (body->columnViewportPosition(column) + body->columnWidth(column) > width)
            break;
        ++count;
    }
    return count;
}

int GridView::LastLeftColumn() const {
    return models_[kBody]->FirstGridColumn() + panes_[kBody]->horizontalScrollBar()->maximum();
}

int GridView::CurrentRow() const {
    const QModelIndex current = panes_[kBody]->currentIndex();
    return models_[kBody]->GridRow(current.isValid() ? current.row() : 0);
}

void GridView::SetCurrentRow(int row) {
    GridPane* body = panes_[kBody];
    GridModel& model = *models_[kBody];
    const QModelIndex current = body->currentIndex();
    const QModelIndex target =
        model.index(row - model.FirstGridRow(), current.isValid() ? current.column() : 0);
    if (!target.isValid())
        return;
    // A block of selected rows stays selected; a single cell selection follows the cell.
    body->selectionModel()->setCurrentIndex(target, rowRangeSelection_
                                                        ? QItemSelectionModel::NoUpdate
                                                        : QItemSelectionModel::ClearAndSelect);
}

GridPane* GridView::PaneOfCell(int column, int row, QRect* rect) const {
    const bool fixedRow = row < grid_.FixedRows();
    const bool fixedColumn = column < grid_.FixedColumns();
    GridPane* pane = panes_[fixedRow ? (fixedColumn ? kCorner : kFixedRows)
                                     : (fixedColumn ? kFixedColumns : kBody)];
    QRect cell = pane->GridCellRect(column, row);
    if (cell.isEmpty() || !pane->isVisible() || !pane->viewport()->rect().intersects(cell))
        return nullptr;
    if (rect != nullptr)
        *rect = cell;
    return pane;
}

bool GridView::PanePress(GridPane& pane, QMouseEvent* event) {
    pressedCell_ = pane.GridCellAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !columnsResizable_ || !ShowsFixedRows(pane))
        return false;
    int column = pane.ColumnBorderAt(event->position().toPoint().x());
    if (column < 0)
        return false;
    resizingColumn_ = column;
    resizeStartX_ = event->globalPosition().toPoint().x();
    resizeStartWidth_ = grid_.ColumnWidth(column);
    pressedCell_ = {-1, -1};
    return true;
}

bool GridView::PaneMove(GridPane& pane, QMouseEvent* event) {
    if (resizingColumn_ >= 0) {
        int width = resizeStartWidth_ + event->globalPosition().toPoint().x() - resizeStartX_;
        grid_.SetColumnWidth(resizingColumn_, std::max(width, 1));
        ApplySizes();
        return true;
    }
    if (columnsResizable_ && ShowsFixedRows(pane) && event->buttons() == Qt::NoButton) {
        bool onBorder = pane.ColumnBorderAt(event->position().toPoint().x()) >= 0;
        pane.viewport()->setCursor(onBorder ? Qt::SplitHCursor : Qt::ArrowCursor);
    }
    return false;
}

bool GridView::PaneRelease(GridPane& pane, QMouseEvent* event) {
    if (resizingColumn_ >= 0) {
        resizingColumn_ = -1;
        return true;
    }
    QPoint cell = pane.GridCellAt(event->position().toPoint());
    const bool fixed =
        cell.x() >= 0 && (cell.x() < grid_.FixedColumns() || cell.y() < grid_.FixedRows());
    const bool sameCell = cell == pressedCell_;
    pressedCell_ = {-1, -1};
    if (event->button() == Qt::LeftButton && fixed && sameCell) {
        emit fixedCellClicked(cell.x(), cell.y());
        return true;
    }
    return false;
}

void GridView::PaneDoubleClick(GridPane& pane, QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    QPoint cell = pane.GridCellAt(event->position().toPoint());
    emit cellDoubleClicked(cell.x(), cell.y());
}

bool GridView::PaneWheel(QWheelEvent* event) {
    // Some desktops turn a wheel step with Shift into a sideways one.
    const QPoint delta = event->angleDelta();
    wheelRemainder_ += delta.y() != 0 ? delta.y() : delta.x();
    while (std::abs(wheelRemainder_) >= kWheelNotch) {
        const bool down = wheelRemainder_ < 0;
        wheelRemainder_ += down ? kWheelNotch : -kWheelNotch;
        if (seriesWheelScroll_)
            SeriesWheelNotch(down, event->modifiers(), event->buttons());
    }
    if (!seriesWheelScroll_)
        return false;
    event->accept();
    return true;
}

void GridView::SeriesWheelNotch(bool down, Qt::KeyboardModifiers modifiers,
                                Qt::MouseButtons buttons) {
    const GridScrollPosition position{TopRow(), LeftColumn(), CurrentRow()};
    const GridScrollShape shape{grid_.RowCount(), grid_.FixedRows(), VisibleRowCount(),
                                grid_.FixedColumns(), LastLeftColumn()};
    // "With Shift": the Shift key alone, no other modifier and no mouse button.
    const bool shiftOnly = modifiers == Qt::ShiftModifier && buttons == Qt::NoButton;
    const GridScrollPosition next = WheelScrollStep(
        position, shape, down ? WheelDirection::Down : WheelDirection::Up, shiftOnly);
    SetCurrentRow(next.currentRow);
    SetTopRow(next.topRow);
    SetLeftColumn(next.leftColumn);
}

}  // namespace kordex::app
