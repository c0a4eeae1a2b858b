#include <gtest/gtest.h>
#include <QWheelEvent>

#include "window_harness.h"

namespace kordex::test {
namespace {

// One wheel notch over the grid's body, as the mouse sends it.
void Wheel(app::GridView& grid, bool down, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* viewport = grid.BodyPane()->viewport();
    const QPointF position(viewport->width() / 2.0, viewport->height() / 2.0);
    QWheelEvent event(position, viewport->mapToGlobal(position), QPoint(),
                      QPoint(0, down ? -120 : 120), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(viewport, &event);
}

TEST(GridView, FixedCellsStayWhileTheBodyScrollsAndReportTheirClicks) {
    TextGrid grid(8, 40, 1, 3, 60, 18);
    for (int row = 0; row < grid.RowCount(); ++row)
        for (int column = 0; column < grid.ColumnCount(); ++column)
            grid.SetCell(column, row, std::to_string(column) + ":" + std::to_string(row));
    app::GridView view(grid);
    view.resize(300, 200);
    view.show();
    QApplication::processEvents();
    std::vector<std::pair<int, int>> clicks;
    QObject::connect(&view, &app::GridView::fixedCellClicked,
                     [&clicks](int column, int row) { clicks.emplace_back(column, row); });

    EXPECT_EQ(view.TopRow(), 3);
    EXPECT_EQ(view.LeftColumn(), 1);
    view.SetTopRow(10);
    view.SetLeftColumn(3);
    QApplication::processEvents();
    EXPECT_EQ(view.TopRow(), 10);
    EXPECT_EQ(view.LeftColumn(), 3);
    // The corner, the title rows and the name column are still there.
    EXPECT_NE(view.PaneOfCell(0, 0, nullptr), nullptr);
    EXPECT_NE(view.PaneOfCell(3, 2, nullptr), nullptr);
    EXPECT_NE(view.PaneOfCell(0, 10, nullptr), nullptr);
    EXPECT_EQ(view.PaneOfCell(1, 2, nullptr), nullptr);  // scrolled out sideways
    EXPECT_EQ(view.PaneOfCell(3, 5, nullptr), nullptr);  // scrolled out upwards

    WindowHarness::ClickCell(view, 3, 1);
    WindowHarness::ClickCell(view, 0, 12);
    WindowHarness::ClickCell(view, 4, 11);  // a body cell
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{3, 1}, {0, 12}}));

    // Texts the core changes show after a refresh; the position stays.
    grid.SetCell(3, 10, "changed");
    view.Refresh();
    EXPECT_EQ(view.TopRow(), 10);
    QRect rect;
    app::GridPane* pane = view.PaneOfCell(3, 10, &rect);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->indexAt(rect.center()).data().toString(), QStringLiteral("changed"));
}

// A scan fills thousands of rows out of sight: only the rows on screen are painted again,
// while widths, hidden rows and a new row count are taken as a whole refresh takes them.
TEST(GridView, RefreshingRowsRepaintsOnlyThoseOnScreen) {
    TextGrid grid(4, 200, 0, 1, 60, 18);
    app::GridView view(grid);
    view.resize(300, 200);
    view.show();
    QApplication::processEvents();
    app::GridModel& body = view.BodyPane()->Model();
    std::vector<std::pair<int, int>> changed;  // first and last model row of each change
    QObject::connect(&body, &QAbstractItemModel::dataChanged,
                     [&changed](const QModelIndex& first, const QModelIndex& last) {
                         changed.emplace_back(first.row(), last.row());
                     });

    grid.SetCell(0, 150, "far down");
    grid.SetColumnWidth(2, 90);
    grid.SetRowHeight(152, 0);
    view.RefreshRows(150, 160);
    EXPECT_TRUE(changed.empty());
    EXPECT_EQ(view.BodyPane()->columnWidth(2), view.BodyPane()->columnWidth(1) + 30);
    EXPECT_TRUE(view.BodyPane()->isRowHidden(151));  // model rows start after the title row
    EXPECT_FALSE(view.BodyPane()->isRowHidden(150));

    grid.SetCell(0, 3, "on screen");
    view.RefreshRows(2, 160);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].first, 1);
    EXPECT_LT(changed[0].second, 20);  // down to the last row on screen
    EXPECT_EQ(body.data(body.index(2, 0), Qt::DisplayRole).toString(), "on screen");

    view.SetTopRow(100);  // now those rows are above the screen
    QApplication::processEvents();
    changed.clear();
    view.RefreshRows(2, 5);
    EXPECT_TRUE(changed.empty());

    grid.SetRowCount(120);
    view.RefreshRows(1, 5);
    EXPECT_EQ(body.rowCount(), 119);
}

TEST(GridView, ARangeOfRowsSelectedByTheUserIsTheGridsSelection) {
    TextGrid grid(21, 8, 0, 1, 50, 17);
    for (int row = 1; row < grid.RowCount(); ++row)
        grid.SetCell(20, row, "path" + std::to_string(row));
    app::GridView view(grid);
    view.SetRowRangeSelection(true);
    view.resize(500, 300);
    view.show();
    QApplication::processEvents();
    EXPECT_EQ(grid.Selection().top, 1);
    EXPECT_EQ(grid.Selection().bottom, 1);

    WindowHarness::ClickCell(view, 2, 2);
    QRect rect;
    app::GridPane* pane = view.PaneOfCell(5, 4, &rect);
    ASSERT_NE(pane, nullptr);
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, Qt::ShiftModifier, rect.center());
    EXPECT_EQ(grid.Selection().top, 2);
    EXPECT_EQ(grid.Selection().bottom, 4);

    // The core shrinks the table and moves the selection; the view follows.
    grid.SetRowCount(4);
    grid.SetSelection({3, 3});
    view.Refresh();
    ASSERT_TRUE(view.BodyPane()->selectionModel()->hasSelection());
    EXPECT_EQ(view.BodyPane()->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(view.BodyPane()->selectionModel()->selectedRows().front().row(), 2);
}

TEST(GridView, UserDragsAColumnBorderInTheTitleRow) {
    TextGrid grid(5, 10, 0, 1, 50, 17);
    app::GridView view(grid);
    view.SetColumnsResizable(true);
    view.resize(400, 200);
    view.show();
    QApplication::processEvents();
    QRect rect;
    app::GridPane* pane = view.PaneOfCell(1, 0, &rect);
    ASSERT_NE(pane, nullptr);
    const QPoint border(rect.right() + 1, rect.center().y());
    QTest::mousePress(pane->viewport(), Qt::LeftButton, {}, border);
    QTest::mouseMove(pane->viewport(), border + QPoint(30, 0));
    QTest::mouseRelease(pane->viewport(), Qt::LeftButton, {}, border + QPoint(30, 0));
    EXPECT_EQ(grid.ColumnWidth(1), 80);
    EXPECT_EQ(grid.ColumnWidth(0), 50);
}

TEST(SeriesWheel, NotchesScrollByRowsAndWithShiftByColumns) {
    WindowHarness window;
    app::TKordexForm& form = window.Open();
    TextGrid& exp = form.Tables().SeriesGridExp;
    exp.SetRowCount(40);
    exp.SetColumnCount(30);
    for (int row = 3; row < 40; ++row)
        exp.SetCell(0, row, "Player" + std::to_string(row));
    auto* grid = window.Find<app::GridView>("SeriesGridExp");
    grid->Refresh();
    QApplication::processEvents();
    ASSERT_EQ(grid->TopRow(), 3);

    // Down: three rows further; then the current row steps down once and the table keeps it
    // in view, so with the current row at the top the table moves one row per notch.
    Wheel(*grid, true);
    EXPECT_EQ(grid->CurrentRow(), 4);
    EXPECT_EQ(grid->TopRow(), 4);
    Wheel(*grid, true);
    EXPECT_EQ(grid->TopRow(), 5);
    // Up: back by the three header rows, never into them.
    Wheel(*grid, false);
    EXPECT_EQ(grid->TopRow(), 3);
    EXPECT_EQ(grid->CurrentRow(), 4);
    Wheel(*grid, false);
    Wheel(*grid, false);
    EXPECT_EQ(grid->TopRow(), 3);
    EXPECT_EQ(grid->CurrentRow(), 3);

    Wheel(*grid, true, Qt::ShiftModifier);
    EXPECT_EQ(grid->LeftColumn(), 2);
    EXPECT_EQ(grid->TopRow(), 3);
    Wheel(*grid, false, Qt::ShiftModifier);
    Wheel(*grid, false, Qt::ShiftModifier);
    EXPECT_EQ(grid->LeftColumn(), 1);
    // Shift with another modifier is not "with Shift": the rows move.
    Wheel(*grid, true, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(grid->LeftColumn(), 1);
    EXPECT_EQ(grid->TopRow(), 4);
    EXPECT_TRUE(window.errors.empty());
}

}  // namespace
}  // namespace kordex::test
