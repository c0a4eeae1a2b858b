#include <gtest/gtest.h>
#include <QImage>
#include <QPixmap>

#include "replay/portal_addresses.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "window/window_layout.h"
#include "window_harness.h"

namespace kordex::test {
namespace {

// Team tables as the analysis leaves them: rows of "Взв" .. "Гусли" and the hidden ids.
class TeamTablesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window.Open();
        form().AnalyseType->setCurrentIndex(0);
        allies().SetRow(1, {"1", "Alpha", "CLAN", "T-34", "+", "2", "850;0", "1200;+1", "0;-1",
                            "15;0", "", "500001", "1001"});
        allies().SetRow(2, {"", "Bravo", "", "KV-1", "-", "", "420;-1", "300;0", "200;+1", "0;-1",
                            "", "", "1002"});
        allies().SetRow(3, {"1", "Charlie", "CLAN", "IS", "+", "1", "1200;+1", "100;-1", "50;0",
                            "90;+1", "", "500001", "1003"});
        enemies().SetRow(
            1, {"", "Delta", "", "M4", "-", "", "100;-1", "50;-1", "0;-1", "0;-1", "", "", "2001"});
        enemies().SetRow(2, {"", "Echo", "", "Tiger", "+", "3", "900;+1", "2000;+1", "10;+1",
                             "10;+1", "", "", "2002"});
        for (const char* name : {"AlliesGrid", "EnemiesGrid"})
            window.Find<app::GridView>(name)->Refresh();
        QApplication::processEvents();
    }
    app::TKordexForm& form() { return *window.form; }
    TextGrid& allies() { return form().Tables().AlliesGrid; }
    TextGrid& enemies() { return form().Tables().EnemiesGrid; }
    app::GridView& view(const char* name) { return *window.Find<app::GridView>(name); }

    WindowHarness window;
};

TEST_F(TeamTablesTest, TitleClickSortsBothTablesByThatColumn) {
    WindowHarness::ClickCell(view("EnemiesGrid"), 7, 0);  // "Урон"
    EXPECT_EQ(allies().Cell(1, 1), "Alpha");
    EXPECT_EQ(allies().Cell(1, 2), "Bravo");
    EXPECT_EQ(allies().Cell(1, 3), "Charlie");
    EXPECT_EQ(enemies().Cell(1, 1), "Echo");
    // Whole rows move, markers and hidden ids with them.
    EXPECT_EQ(enemies().Row(1).back(), "2002");

    WindowHarness::ClickCell(view("AlliesGrid"), 6, 0);  // "Опыт"
    EXPECT_EQ(allies().Cell(1, 1), "Charlie");
    EXPECT_EQ(allies().Cell(6, 1), "1200;+1");
    EXPECT_EQ(allies().Cell(1, 3), "Bravo");

    WindowHarness::ClickCell(view("AlliesGrid"), 1, 0);  // "Ник" does nothing
    EXPECT_EQ(allies().Cell(1, 1), "Charlie");
    EXPECT_TRUE(window.errors.empty());
}

TEST_F(TeamTablesTest, DoubleClicksOnNameAndClanOpenTheirPages) {
    WindowHarness::ClickCell(view("AlliesGrid"), 1, 3, true);
    WindowHarness::ClickCell(view("AlliesGrid"), 2, 1, true);
    WindowHarness::ClickCell(view("AlliesGrid"), 2, 2, true);  // no clan id
    WindowHarness::ClickCell(view("AlliesGrid"), 1, 0, true);  // title row
    WindowHarness::ClickCell(view("EnemiesGrid"), 1, 2, true);
    const std::string portal(kGamePortalBase);
    EXPECT_EQ(window.desktop.Events(),
              (std::vector<std::string>{"open " + portal + "/community/accounts/1003",
                                        "open " + portal + "/community/clans/500001",
                                        "open " + portal + "/community/accounts/2002"}));
}

TEST_F(TeamTablesTest, CellsAreDrawnInTheirColoursWithoutMarkers) {
    app::GridView& grid = view("AlliesGrid");
    QImage image = grid.grab().toImage();
    auto pixelIn = [&](int column, int row, QPoint offset) {
        QRect rect;
        app::GridPane* pane = grid.PaneOfCell(column, row, &rect);
        EXPECT_NE(pane, nullptr);
        QPoint point = pane->viewport()->mapTo(&grid, rect.topLeft() + offset);
        return QColor(image.pixel(point));
    };
    // "Жив": light green for a survivor, light red for a destroyed vehicle.
    EXPECT_EQ(pixelIn(4, 1, {1, 12}), QColor(216, 255, 216));
    EXPECT_EQ(pixelIn(4, 2, {1, 12}), QColor(255, 216, 216));
    // A body cell of "Опыт" keeps the white background.
    EXPECT_EQ(pixelIn(6, 1, {40, 12}), QColor(Qt::white));

    // The best experience is written in green, the worst in red, the others in black. Glyph
    // edges are smoothed, so a text pixel counts by its dominant channel.
    auto green = [](QColor c) { return c.green() > c.red() + 60 && c.green() > c.blue() + 60; };
    auto red = [](QColor c) { return c.red() > c.green() + 100 && c.red() > c.blue() + 100; };
    auto hasColour = [&](int column, int row, auto matches) {
        QRect rect;
        app::GridPane* pane = grid.PaneOfCell(column, row, &rect);
        QPoint origin = pane->viewport()->mapTo(&grid, rect.topLeft());
        for (int y = 0; y < rect.height(); ++y)
            for (int x = 0; x < rect.width(); ++x)
                if (matches(QColor(image.pixel(origin + QPoint(x, y)))))
                    return true;
        return false;
    };
    EXPECT_TRUE(hasColour(6, 3, green));
    EXPECT_FALSE(hasColour(6, 3, red));
    EXPECT_TRUE(hasColour(6, 2, red));
    EXPECT_FALSE(hasColour(6, 1, green));
    EXPECT_FALSE(hasColour(6, 1, red));
}

// The tables have no scroll bar: a battle of long names and vehicle names still shows every
// column, "Свет" and "Гусли" included, in the narrowest window and in a wide one.
TEST(TeamTablesWidth, EveryColumnStaysInViewWhateverTheNames) {
    WindowHarness window(true);  // the window's own fonts measure the texts
    app::TKordexForm& form = window.Open();
    BattleFixture battle(30);
    for (int i = 0; i < battle.VehicleCount(); ++i) {
        battle.Vehicle(i).name = "Long_player_name_of_24_" + std::to_string(i % 10);
        battle.Vehicle(i).clan = "CLAN" + std::to_string(i % 10);
    }
    const std::string replay = window.folder.File("long.wotreplay");
    WriteBattleReplay(replay, battle);
    window.AnalyseSingle(replay);
    ASSERT_TRUE(window.errors.empty()) << window.errors.front();
    ASSERT_EQ(form.Tables().AlliesGrid.Cell(1, 1).substr(0, 5), "Long_");

    for (int outerWidth : {869, 1400}) {
        form.resize(outerWidth - kDesignFrameWidth, 520);
        QApplication::processEvents();
        for (const char* name : {"AlliesGrid", "EnemiesGrid"}) {
            app::GridView& grid = *window.Find<app::GridView>(name);
            const TextGrid& table = grid.Grid();
            const QFontMetrics metrics(grid.BodyPane()->font());
            for (int column = 0; column <= 10; ++column) {
                QRect rect;
                app::GridPane* pane = grid.PaneOfCell(column, 0, &rect);
                ASSERT_NE(pane, nullptr) << name << " column " << column << " at " << outerWidth;
                EXPECT_LE(rect.right(), pane->viewport()->width())
                    << name << " column " << column << " at " << outerWidth;
                // The title is readable: its text fits the column.
                EXPECT_GE(table.ColumnWidth(column),
                          metrics.horizontalAdvance(QString::fromStdString(table.Cell(column, 0))))
                    << name << " column " << column;
            }
            // With room to spare the value columns keep their usual width.
            if (outerWidth == 1400) {
                EXPECT_EQ(table.ColumnWidth(10), table.DefaultColumnWidth()) << name;
            }
        }
    }
}

}  // namespace
}  // namespace kordex::test
