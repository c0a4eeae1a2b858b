#include <gtest/gtest.h>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>
#include <filesystem>

#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/replay_fixture.h"
#include "window_harness.h"

namespace kordex::test {
namespace {

// Drops the paths on the window as the desktop does: local file addresses in one drop.
// The target is the widget under the mouse; the window takes drops on any of its controls.
void Drop(QWidget& target, const std::vector<std::string>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths)
        urls << QUrl::fromLocalFile(QString::fromStdString(path));
    data.setUrls(urls);
    // File managers offer the paths as plain text as well, which edit fields would take.
    QStringList text;
    for (const QUrl& url : urls)
        text << url.toLocalFile();
    data.setText(text.join(QLatin1Char('\n')));
    // The drag enters the window first, which makes the window the drop's target.
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

class DropTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(window.folder.File("Temp"));
        std::filesystem::create_directories(window.folder.File("folder.wotreplay"));
        for (const char* name :
             {"c.wotreplay", "A.wotreplay", "b.wotreplay", "temp.wotreplay", "attempt1.wotreplay",
              "x.WOTREPLAY", "notes.txt", "Temp/d.wotreplay"})
            WriteReplayFile(window.folder.File(name), FinishedBattle());
        window.Open();
        // A previous series leaves text in the tables.
        form().Tables().SeriesGridExp.SetCell(2, 5, "1200;+1;true");
        form().Tables().SeriesGridSummary.SetCell(1, 3, "Player");
    }
    app::TKordexForm& form() { return *window.form; }
    QListWidget* runList() { return window.Find<QListWidget>("lb_ReplaysList"); }
    std::string File(const char* name) { return window.folder.File(name); }

    WindowHarness window;
};

TEST_F(DropTest, OneReplayGoesToTheSingleView) {
    form().AnalyseType->setCurrentIndex(0);
    QApplication::processEvents();
    Drop(*window.Find<QLineEdit>("ReplayPath"), {File("b.wotreplay"), File("notes.txt")});
    EXPECT_EQ(form().AnalyseType->currentIndex(), 0);
    EXPECT_EQ(window.Find<QLineEdit>("ReplayPath")->text().toStdString(), File("b.wotreplay"));
    EXPECT_EQ(form().ReplaysList(), std::vector<std::string>{File("b.wotreplay")});
    EXPECT_TRUE(runList()->isHidden());
    EXPECT_EQ(form().Tables().SeriesGridExp.Cell(2, 5), "");
}

TEST_F(DropTest, SeveralReplaysWaitSortedOnTheSeriesTab) {
    Drop(form(), {File("c.wotreplay"), File("A.wotreplay"), File("b.wotreplay")});
    EXPECT_EQ(form().AnalyseType->currentIndex(), 1);
    EXPECT_FALSE(runList()->isHidden());
    EXPECT_EQ(Items(runList()), (QStringList{QString::fromStdString(File("A.wotreplay")),
                                             QString::fromStdString(File("b.wotreplay")),
                                             QString::fromStdString(File("c.wotreplay"))}));
    // Nothing is analysed yet; the old series is gone.
    EXPECT_EQ(window.Find<QLineEdit>("ReplayPath")->text(), QString());
    EXPECT_EQ(form().Tables().SeriesGridExp.Cell(2, 5), "");
    EXPECT_EQ(form().Tables().SeriesGridSummary.Cell(1, 3), "");
    EXPECT_EQ(form().Tables().SeriesGridExp.Cell(0, 2), "Ник\\Опыт");

    // The next drop sizes the experience table by the list it replaces.
    Drop(form(), {File("notes.txt")});
    EXPECT_EQ(form().Tables().SeriesGridExp.ColumnCount(), 5);
    EXPECT_EQ(form().Tables().SeriesGridExp.RowCount(), 18);
}

TEST_F(DropTest, OnlyTheReplayBeingRecordedAndOtherFilesAreLeftOut) {
    Drop(form(), {File("temp.wotreplay"), File("x.WOTREPLAY"), File("notes.txt"),
                  File("folder.wotreplay"), File("attempt1.wotreplay"), File("Temp/d.wotreplay")});
    EXPECT_EQ(form().ReplaysList(),
              (std::vector<std::string>{File("attempt1.wotreplay"), File("Temp/d.wotreplay")}));
    EXPECT_EQ(form().AnalyseType->currentIndex(), 1);

    Drop(form(), {File("temp.wotreplay"), File("notes.txt")});
    EXPECT_TRUE(form().ReplaysList().empty());
    EXPECT_EQ(runList()->count(), 0);
    EXPECT_FALSE(runList()->isHidden());
    EXPECT_EQ(form().AnalyseType->currentIndex(), 1);
}

TEST_F(DropTest, OneDroppedBattleFillsTheTeamTablesSortedByExperience) {
    const std::string replay = File("battle.wotreplay");
    WriteBattleReplay(replay, BattleFixture(30, "0.9.17.1"));
    Drop(form(), {replay});
    EXPECT_TRUE(window.errors.empty()) << window.errors.front();
    EXPECT_EQ(form().AnalyseType->currentIndex(), 0);
    const TextGrid& allies = form().Tables().AlliesGrid;
    const TextGrid& enemies = form().Tables().EnemiesGrid;
    for (const TextGrid* grid : {&allies, &enemies}) {
        for (int row = 1; row <= 15; ++row)
            EXPECT_FALSE(grid->Cell(1, row).empty()) << row;
        // Largest experience first.
        for (int row = 1; row < 15; ++row)
            EXPECT_GE(std::stoi(grid->Cell(6, row)), std::stoi(grid->Cell(6, row + 1))) << row;
    }
    EXPECT_EQ(window.Find<QLabel>("Label_isWinner")->text(), QStringLiteral("Победа"));
    EXPECT_FALSE(window.Find<QLabel>("Label_replayVersionXml")->text().isEmpty());
    // The view shows the cells the analysis wrote.
    QRect rect;
    auto* grid = window.Find<app::GridView>("AlliesGrid");
    app::GridPane* pane = grid->PaneOfCell(1, 1, &rect);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->indexAt(rect.center()).data().toString().toStdString(), allies.Cell(1, 1));
}

}  // namespace
}  // namespace kordex::test
