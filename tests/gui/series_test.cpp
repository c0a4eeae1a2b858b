#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "shell/portal_addresses.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "window_harness.h"

namespace kordex::test {
namespace {

// Three battles of the same two teams, dropped on the window and run as a series.
class SeriesWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = &window.Open();
        std::vector<std::string> paths;
        for (const char* name : {"b1.wotreplay", "b2.wotreplay", "b3.wotreplay"}) {
            paths.push_back(window.folder.File(name));
            WriteBattleReplay(paths.back(), BattleFixture(30, "0.9.17.1"));
        }
        form->WMDropFiles({{paths[2], false}, {paths[0], false}, {paths[1], false}});
        replays = paths;
    }

    WindowHarness window;
    app::TKordexForm* form = nullptr;
    std::vector<std::string> replays;
};

TEST_F(SeriesWindowTest, StartRunsTheListIntoTheSeriesTables) {
    ASSERT_EQ(form->ReplaysList(), replays);
    EXPECT_FALSE(window.Find<QListWidget>("lb_ReplaysList")->isHidden());
    window.Find<QPushButton>("SeriesAnalysisButton")->click();

    EXPECT_TRUE(window.errors.empty()) << window.errors.front();
    const TextGrid& exp = form->Tables().SeriesGridExp;
    // Name, vehicle, three battles, total and average; one row per player of the team.
    EXPECT_EQ(exp.ColumnCount(), 7);
    EXPECT_EQ(exp.RowCount(), 3 + 15);
    EXPECT_EQ(exp.Cell(5, 0), "Суммарно");
    EXPECT_FALSE(exp.Cell(0, 3).empty());
    EXPECT_TRUE(window.Find<QListWidget>("lb_ReplaysList")->isHidden());
    EXPECT_TRUE(window.Find<QProgressBar>("SeriesProgress")->isHidden());
    EXPECT_TRUE(form->StatusBar->currentMessage().startsWith(QStringLiteral("Время выполнения: ")));
    // The view shows the run's shape.
    auto* grid = window.Find<app::GridView>("SeriesGridExp");
    EXPECT_EQ(grid->BodyPane()->model()->columnCount(), 6);
    EXPECT_EQ(grid->BodyPane()->model()->rowCount(), 15);
}

TEST_F(SeriesWindowTest, DoubleClicksOpenAPlayersSearchOrABattle) {
    window.Find<QPushButton>("SeriesAnalysisButton")->click();
    auto* grid = window.Find<app::GridView>("SeriesGridExp");
    const std::string name = form->Tables().SeriesGridExp.Cell(0, 3);
    WindowHarness::ClickCell(*grid, 0, 3, true);
    EXPECT_EQ(window.desktop.Events().back(), "open " + std::string(kGamePortalBase) +
                                                  "/community/accounts/#wot&at_search=" + name);

    WindowHarness::ClickCell(*grid, 3, 1, true);  // the map of the second battle
    EXPECT_EQ(form->AnalyseType->currentIndex(), 0);
    EXPECT_EQ(window.Find<QLineEdit>("ReplayPath")->text().toStdString(), replays[1]);
    EXPECT_FALSE(form->Tables().AlliesGrid.Cell(1, 1).empty());
    EXPECT_TRUE(window.errors.empty());
}

TEST_F(SeriesWindowTest, AnEmptyRunListAsksForReplays) {
    form->WMDropFiles({});
    window.Find<QPushButton>("SeriesAnalysisButton")->click();
    EXPECT_EQ(window.desktop.Events(),
              std::vector<std::string>{"message Перетащите реплеи в окно программы."});
}

}  // namespace
}  // namespace kordex::test
