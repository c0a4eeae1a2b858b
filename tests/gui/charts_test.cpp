#include <gtest/gtest.h>
#include <QListWidget>
#include <QTabWidget>

#include "pages/charts_page.h"
#include "pages/series_page.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "synthetic_battles.h"
#include "window_harness.h"

namespace kordex::test {
namespace {

// Three battles of one team run as a series, then the tab "Графики".
class ChartsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = &window.Open();
        // Three battles, not one battle thrice: a repeat would count once.
        window.RunSeries(WriteThreeBattles(window.folder.Path()));
        ASSERT_TRUE(window.errors.empty()) << window.errors.front();
        charts = window.Find<app::ChartsPage>("Charts");
        multi = window.Find<QTabWidget>("Multi");
    }

    WindowHarness window;
    app::TKordexForm* form = nullptr;
    app::ChartsPage* charts = nullptr;
    QTabWidget* multi = nullptr;
};

TEST_F(ChartsWindowTest, TheTabDrawsTheTeamTheRankingAndTheFirstPlayer) {
    multi->setCurrentWidget(charts);
    QApplication::processEvents();

    // A column per battle in the team's charts, a bar pair per player in the ranking.
    const int players = charts->ChartPlayers->count();
    EXPECT_EQ(players, 15);
    ASSERT_EQ(charts->TeamChartViews.size(), 3u);
    EXPECT_EQ(charts->TeamChartViews[0]->Figure().boxes.size(), 3u);
    EXPECT_EQ(charts->RankingChart->Figure().boxes.size(), 2u * players);
    EXPECT_TRUE(charts->TeamChartViews[0]->isVisible());
    EXPECT_EQ(charts->ChartPlayers->currentRow(), 0);
    const std::string first = charts->ChartPlayers->item(0)->text().toStdString();
    EXPECT_EQ(charts->PlayerChartViews[0]->Figure().title, first + ": опыт");
    EXPECT_EQ(charts->PlayerChartViews[0]->Figure().dots.size(), 3u);

    // Painted, not blank: the figure's colours reach the screen.
    const QImage image = charts->TeamChartViews[0]->grab().toImage();
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            coloured += image.pixelColor(x, y).saturation() > 128;
    EXPECT_GT(coloured, 200);
}

TEST_F(ChartsWindowTest, ADoubleClickOnANameInTheSummaryOpensThatPlayersCharts) {
    auto* summary = window.Find<app::GridView>("SeriesGridSummary");
    multi->setCurrentWidget(summary);
    QApplication::processEvents();
    const std::string name = form->Tables().SeriesGridSummary.Cell(0, 3);
    ASSERT_FALSE(name.empty());

    WindowHarness::ClickCell(*summary, 0, 3, true);

    EXPECT_EQ(multi->currentWidget(), charts);
    ASSERT_NE(charts->ChartPlayers->currentItem(), nullptr);
    EXPECT_EQ(charts->ChartPlayers->currentItem()->text().toStdString(), name);
    EXPECT_EQ(charts->PlayerChartViews[1]->Figure().title, name + ": урон");
    // A title cell opens nothing.
    multi->setCurrentWidget(summary);
    WindowHarness::ClickCell(*summary, 0, 0, true);
    EXPECT_EQ(multi->currentWidget(), summary);
}

TEST(ChartsWindow, BeforeTwoBattlesTheTabSaysThereIsNothingToDrawYet) {
    WindowHarness window;
    window.Open();
    auto* charts = window.Find<app::ChartsPage>("Charts");
    window.Find<QTabWidget>("Multi")->setCurrentWidget(charts);
    QApplication::processEvents();
    EXPECT_EQ(charts->ChartPlayers->count(), 0);
    const ChartFigure& message = charts->TeamChartViews[0]->Figure();
    ASSERT_FALSE(message.labels.empty());
    EXPECT_EQ(message.labels.back().text, kNothingToChart);
    EXPECT_FALSE(charts->TeamChartViews[1]->isVisible());
    EXPECT_FALSE(charts->PlayerChartViews[0]->isVisible());
}

}  // namespace
}  // namespace kordex::test
