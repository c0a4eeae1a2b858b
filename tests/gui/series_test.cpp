#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>
#include <functional>
#include <utility>

#include "pages/library_page.h"
#include "pages/options_page.h"
#include "pages/series_page.h"
#include "replay/portal_addresses.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/test_paths.h"
#include "synthetic_battles.h"
#include "window_harness.h"

namespace kordex::test {
namespace {

// Three battles of the same two teams, dropped on the window and run as a series.
class SeriesWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = &window.Open();
        replays = WriteThreeBattles(window.folder.Path());
        window.DropReplays({replays[2], replays[0], replays[1]});
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

// A replay sent twice: the run counts it once (the core's tests and the command line's over real
// replays say how); the window shows the copy as "Повтор" and says so in the status bar.
TEST_F(SeriesWindowTest, ARepeatedReplayIsShownAndTheStatusBarSaysSo) {
    replays.push_back(window.folder.File("b9 copy.wotreplay"));
    std::filesystem::copy_file(replays[0], replays.back());
    window.RunSeries(replays);

    EXPECT_TRUE(window.errors.empty()) << window.errors.front();
    const TextGrid& exp = form->Tables().SeriesGridExp;
    ASSERT_EQ(exp.ColumnCount(), 8);
    EXPECT_EQ(exp.Cell(5, 2), "Повтор");
    EXPECT_EQ(exp.Cell(6, 2), "Боев: 3, побед: 3");
    EXPECT_TRUE(
        form->StatusBar->currentMessage().endsWith(QStringLiteral(" Пропущено повторов: 1")))
        << form->StatusBar->currentMessage().toStdString();
}

// A desktop that lets the user act while a run handles pending events, as the real one does.
class DesktopWithAUser : public HeadlessDesktop {
  public:
    void ProcessPendingEvents() override {
        HeadlessDesktop::ProcessPendingEvents();
        if (userActs)
            std::exchange(userActs, {})();
    }
    std::function<void()> userActs;
};

// A run writes each player into the same row of all five tables and reads its own run list;
// what the user does meanwhile must not move rows under it or swap the list behind it.
TEST(SeriesRunUnderWay, TitleClicksAndLibraryHandOffsWaitForTheEnd) {
    TempFolder folder;
    DesktopWithAUser desktop;
    app::QtFileSystem files;
    SystemClock clock;
    Platform platform{desktop, files, clock};
    app::TKordexForm form(platform, folder.Path());
    form.Options->MultiGroupPlayers->setChecked(true);  // battle columns sort on a title click

    std::filesystem::create_directories(folder.File("evening"));
    std::filesystem::create_directories(folder.File("library"));
    std::vector<DroppedItem> dropped;
    std::vector<std::string> runList;
    for (int battle = 0; battle < 4; ++battle) {
        runList.push_back(WriteSyntheticReplay(folder.File("evening"), battle));
        dropped.push_back({runList.back(), false});
        WriteSyntheticReplay(folder.File("library"), 10 + battle);
    }
    form.ts_ReplaysList->ed_AllReplaysFolder->setText(
        QString::fromStdString(folder.File("library")));
    form.ts_ReplaysList->bt_RefreshClick();
    form.ts_ReplaysList->WaitForScan();
    form.Tables().library.allReplays.SetSelection({1, 3});
    form.WMDropFiles(dropped);

    TextGrid& exp = form.Tables().SeriesGridExp;
    desktop.userActs = [&] {
        // After the first battle: its experience column is sorted, then three library rows
        // are sent to the series.
        ASSERT_FALSE(exp.Cell(2, 3).empty());
        form.SeriesGridFixedCellClick(SeriesTable::Exp, *form.SeriesReplays->SeriesGridExp, 2, 0);
        form.bt_ProcessInKordexClick();
    };
    form.SeriesReplays->SeriesAnalysisButton->click();
    ASSERT_FALSE(desktop.userActs) << "the run handled no events";

    EXPECT_EQ(form.ReplaysList(), runList);
    for (int row = 3; row < exp.RowCount(); ++row)
        for (const TextGrid* grid : form.Tables().SeriesGrids())
            EXPECT_EQ(grid->Cell(0, row), exp.Cell(0, row)) << "row " << row;
    // Once the run is over, the same click sorts the first battle's rows.
    form.SeriesGridFixedCellClick(SeriesTable::Exp, *form.SeriesReplays->SeriesGridExp, 2, 0);
    for (int row = 4; row < exp.RowCount() && !exp.Cell(2, row).empty(); ++row)
        EXPECT_GE(std::stoi(exp.Cell(2, row - 1)), std::stoi(exp.Cell(2, row))) << "row " << row;
}

}  // namespace
}  // namespace kordex::test
