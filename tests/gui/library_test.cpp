#include <gtest/gtest.h>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <algorithm>
#include <filesystem>
#include <map>

#include "library/library_search.h"
#include "library/library_tables.h"
#include "pages/library_page.h"
#include "platform/headless_desktop.h"
#include "platform/qt_file_system.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/test_paths.h"
#include "window_harness.h"
#include "window_progress.h"

namespace kordex::test {
namespace {

// The desktop's trash lives under XDG_DATA_HOME; a test points it elsewhere for its life.
class DataHome {
  public:
    explicit DataHome(const std::string& folder)
        : had_(qEnvironmentVariableIsSet("XDG_DATA_HOME")), old_(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder));
    }
    ~DataHome() {
        if (had_)
            qputenv("XDG_DATA_HOME", old_);
        else
            qunsetenv("XDG_DATA_HOME");
    }

  private:
    bool had_;
    QByteArray old_;
};

// A big folder of one battle: r1000.wotreplay and on, hard links to one file.
void WriteReplayLinks(const std::string& folder, int count, const std::string& bytes) {
    const std::string first = folder + "/r1000.wotreplay";
    WriteBytesFile(first, bytes);
    for (int i = 1; i < count; ++i)
        std::filesystem::create_hard_link(
            PathOf(first), PathOf(folder + "/r" + std::to_string(1000 + i) + ".wotreplay"));
}

// A library folder of three finished battles, scanned by "Обновить".
class LibraryWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = window.folder.File("replays");
        std::filesystem::create_directories(folder);
        for (const char* name : {"a.wotreplay", "b.wotreplay", "c.wotreplay"})
            WriteBattleReplay(folder + "/" + name, BattleFixture(30, "0.9.17.1"));
        form = &window.Open();
        window.Find<QLineEdit>("ed_AllReplaysFolder")->setText(QString::fromStdString(folder));
        window.Find<QPushButton>("bt_Refresh")->click();
        form->ts_ReplaysList->WaitForScan();
        form->AnalyseType->setCurrentIndex(2);
        QApplication::processEvents();
        list = window.Find<app::GridView>("sg_AllReplays");
    }
    TextGrid& all() { return form->Tables().library.allReplays; }
    std::string PathIn(int row) { return all().Cell(library_column::Path, row); }

    WindowHarness window;
    std::string folder;
    app::TKordexForm* form = nullptr;
    app::GridView* list = nullptr;
};

TEST_F(LibraryWindowTest, ScanFillsTheListAndTheHiddenPathList) {
    EXPECT_TRUE(window.errors.empty());
    ASSERT_EQ(all().RowCount(), 4);
    // The path that sorts last stands in row 1.
    EXPECT_EQ(PathIn(1), folder + "/c.wotreplay");
    EXPECT_EQ(window.Find<QListView>("lb_AllReplaysList")->model()->rowCount(), 3);
    EXPECT_EQ(list->BodyPane()->model()->rowCount(), 3);
}

TEST_F(LibraryWindowTest, OneSelectedRowOpensInTheSingleViewSeveralRunAsASeries) {
    WindowHarness::ClickCell(*list, 1, 2);
    window.Find<QPushButton>("bt_ProcessInKordex")->click();
    EXPECT_EQ(form->AnalyseType->currentIndex(), 0);
    EXPECT_EQ(window.Find<QLineEdit>("ReplayPath")->text().toStdString(), folder + "/b.wotreplay");

    form->AnalyseType->setCurrentIndex(2);
    QApplication::processEvents();
    WindowHarness::ClickCell(*list, 1, 1);
    WindowHarness::ClickCell(*list, 1, 3, false, Qt::ShiftModifier);
    window.Find<QPushButton>("bt_ProcessInKordex")->click();
    EXPECT_EQ(form->AnalyseType->currentIndex(), 1);
    EXPECT_EQ(form->ReplaysList().size(), 3u);
    EXPECT_EQ(form->Tables().SeriesGridExp.Cell(4, 0).empty(), false);
    EXPECT_TRUE(window.errors.empty());
}

TEST_F(LibraryWindowTest, TitleClicksSortByTheSharedStateAndFavouritesMoveTheFile) {
    list->SetLeftColumn(20);
    QApplication::processEvents();
    WindowHarness::ClickCell(*list, 20, 0);  // "Путь": descending first
    EXPECT_EQ(PathIn(1), folder + "/c.wotreplay");
    WindowHarness::ClickCell(*list, 20, 0);  // again: ascending
    EXPECT_EQ(PathIn(1), folder + "/a.wotreplay");
    list->SetLeftColumn(0);
    QApplication::processEvents();

    WindowHarness::ClickCell(*list, 1, 1);
    window.Find<QPushButton>("bt_AddToFavorites")->click();
    const std::string moved = folder + "/[Избранное]/a.wotreplay";
    EXPECT_TRUE(std::filesystem::exists(moved));
    EXPECT_FALSE(std::filesystem::exists(folder + "/a.wotreplay"));
    EXPECT_EQ(all().RowCount(), 3);
    EXPECT_EQ(form->Tables().library.favoriteReplays.Cell(library_column::Path, 1), moved);
}

TEST_F(LibraryWindowTest, DeleteAsksThenRemovesTheRowsWhoseFilesReachedTheTrash) {
    WindowHarness::ClickCell(*list, 1, 1);
    WindowHarness::ClickCell(*list, 1, 2, false, Qt::ShiftModifier);
    auto* deleteButton = window.Find<QPushButton>("bt_DeleteSelected");
    const std::string question = "confirm Удалить выбранные реплеи (2 шт.)?";

    // Cancel changes nothing.
    deleteButton->click();
    EXPECT_EQ(window.desktop.Events().back(), question);
    EXPECT_EQ(all().RowCount(), 4);

    // A trash location that is not absolute is no trash: the rows and their files stay.
    {
        DataHome home("relative/share");
        window.desktop.confirmAnswers = {true};
        deleteButton->click();
        EXPECT_EQ(window.desktop.Events().back(), question);
        EXPECT_EQ(all().RowCount(), 4);
        EXPECT_TRUE(std::filesystem::exists(folder + "/c.wotreplay"));
        EXPECT_TRUE(std::filesystem::exists(folder + "/b.wotreplay"));
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("files/c.wotreplay")));
    }
    // A data folder without a trash yet: the trash is made, the files go there, the rows go.
    {
        const std::string share = window.folder.File("share");
        DataHome home(share);
        window.desktop.confirmAnswers = {true};
        deleteButton->click();
        EXPECT_EQ(all().RowCount(), 2);
        EXPECT_EQ(PathIn(1), folder + "/a.wotreplay");
        EXPECT_TRUE(std::filesystem::exists(share + "/Trash/files/c.wotreplay"));
        EXPECT_TRUE(std::filesystem::exists(share + "/Trash/files/b.wotreplay"));
        EXPECT_FALSE(std::filesystem::exists(folder + "/c.wotreplay"));
    }
    EXPECT_TRUE(window.errors.empty());
}

// Before the first replay is read the scan gathers tanks.ini, its cache and the folder on a
// thread of its own; the window is busy from the click on, as it is while rows arrive.
TEST_F(LibraryWindowTest, WhileTheScanGathersWhatItNeedsActionsWait) {
    list->SetLeftColumn(20);
    QApplication::processEvents();
    WindowHarness::ClickCell(*list, 20, 0);  // "Путь": descending, the scan's own order
    EXPECT_EQ(PathIn(1), folder + "/c.wotreplay");

    // A title click waits for the scan's end, then sorts what the scan listed.
    auto* refresh = window.Find<QPushButton>("bt_Refresh");
    refresh->click();
    app::LibraryPage& page = *form->ts_ReplaysList;
    ASSERT_TRUE(page.Scanning());
    EXPECT_FALSE(refresh->isEnabled());
    EXPECT_FALSE(window.Find<QPushButton>("bt_AddToFavorites")->isEnabled());
    page.ReplaysListFixedCellClick(*list, 20, 0);
    EXPECT_EQ(PathIn(1), folder + "/c.wotreplay");
    page.WaitForScan();
    EXPECT_EQ(all().RowCount(), 4);
    EXPECT_EQ(PathIn(1), folder + "/a.wotreplay");  // ascending: the click's turn came
    EXPECT_TRUE(refresh->isEnabled());

    EXPECT_TRUE(window.errors.empty());
}

// The window's scan of a big folder: rows arrive while the window goes on, "Стоп" ends it
// with the rows read, and while the window is open a replay written into the folder appears.
// A window over a folder of many links to one replay, the library field set to it.
class LibraryWindowScan : public ::testing::Test {
  protected:
    void Open(int files) {
        std::filesystem::create_directories(folder);
        WriteReplayLinks(folder, files, bytes);
        form = &window.Open();
        page = form->ts_ReplaysList;
        page->ed_AllReplaysFolder->setText(QString::fromStdString(folder));
    }
    TextGrid& All() { return form->Tables().library.allReplays; }
    int FilledRows() {
        int filled = 0;
        for (int row = 1; row < All().RowCount(); ++row)
            filled += All().Cell(library_column::Path, row).empty() ? 0 : 1;
        return filled;
    }

    // After "Стоп": every row kept is filled, the window idle again.
    void ExpectStoppedScan() {
        EXPECT_FALSE(page->Scanning());
        EXPECT_EQ(FilledRows(), All().RowCount() - 1);
        EXPECT_FALSE(page->bt_Stop->isEnabled());
        EXPECT_TRUE(page->bt_Refresh->isEnabled());
        EXPECT_TRUE(window.Find<QProgressBar>("SeriesProgress")->isHidden());
    }

    WindowHarness window;
    const std::string folder = window.folder.File("replays");
    // A results text of most of a megabyte (a long string in "personal"): the readers take
    // seconds for the whole folder, on any machine far longer than the window takes to show
    // the first rows and stop.
    const std::string bytes =
        ReplayBytes(ReplayOf(BattleFixture(30, "0.9.17.1")
                                 .SetPersonal("padding", '"' + std::string(800'000, 'x') + '"')));
    app::TKordexForm* form = nullptr;
    app::LibraryPage* page = nullptr;
};

TEST_F(LibraryWindowScan, RowsArriveStopKeepsThemAndTheFolderStaysLive) {
    // Enough rows that placing them all takes more than one turn of the event loop.
    constexpr int kFiles = 3000;
    Open(kFiles);
    app::LibraryPage& page = *this->page;
    TextGrid& all = All();
    // While the scan runs, the lists show the rows placed: those on screen, not the whole list
    // again.
    app::GridPane& pane = *page.sg_AllReplays->BodyPane();
    bool firstRowsShown = false;
    QObject::connect(&pane.Model(), &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& first, const QModelIndex& last) {
                         const int bottom = pane.rowAt(pane.viewport()->height() - 1);
                         firstRowsShown |= page.Scanning() && first.row() == 0 && bottom >= 0 &&
                                           last.row() <= bottom;
                     });
    page.bt_Refresh->click();

    // The click returns at once; the scan is under way and the row actions wait for it.
    ASSERT_TRUE(page.Scanning());
    EXPECT_TRUE(page.bt_Stop->isEnabled());
    EXPECT_FALSE(page.bt_AddToFavorites->isEnabled());
    EXPECT_FALSE(page.bt_DeleteSelected->isEnabled());
    EXPECT_FALSE(page.bt_Refresh->isEnabled());
    while (page.Scanning() && FilledRows() == 0)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    ASSERT_TRUE(page.Scanning()) << "the scan ended before the first rows were seen";
    EXPECT_TRUE(QTest::qWaitFor([&] { return firstRowsShown || !page.Scanning(); }, 5000));
    EXPECT_TRUE(firstRowsShown);
    ASSERT_TRUE(page.Scanning()) << "the scan ended before the first rows were shown";
    // The rows arrive in their order: the last path first, no row skipped.
    const int seen = FilledRows();
    EXPECT_EQ(all.Cell(library_column::Path, 1),
              folder + "/r" + std::to_string(999 + kFiles) + ".wotreplay");
    EXPECT_FALSE(all.Cell(library_column::Path, seen).empty());
    EXPECT_FALSE(window.Find<QProgressBar>("SeriesProgress")->isHidden());

    page.bt_Stop->click();
    page.WaitForScan();
    ExpectStoppedScan();
    EXPECT_GE(all.RowCount() - 1, seen);
    EXPECT_LT(all.RowCount() - 1, kFiles);
    EXPECT_TRUE(page.bt_AddToFavorites->isEnabled());

    // The game writes a replay: it appears as a row once complete, where a scan lists it.
    const std::string written = folder + "/r9999.wotreplay";
    WriteBytesFile(written, bytes);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return all.Cell(library_column::Path, 1) == written; }, 20000));
    EXPECT_EQ(all.Cell(library_column::Path, 1), written);
    EXPECT_EQ(all.Cell(library_column::Outcome, 1), all.Cell(library_column::Outcome, 2));
    // Another program removes it: its row goes.
    std::filesystem::remove(written);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return all.Cell(library_column::Path, 1) != written; }, 20000));
    EXPECT_NE(all.Cell(library_column::Path, 1), written);
    EXPECT_TRUE(window.errors.empty());
}

// "Стоп" before the reading began: the scan ends with the replays its readers had in hand, no
// empty row left, the window idle again.
TEST_F(LibraryWindowScan, StopBeforeTheReadingBeganEndsTheScanAtOnce) {
    constexpr int kFiles = 400;
    Open(kFiles);
    app::LibraryPage& page = *this->page;
    TextGrid& all = All();
    page.bt_Refresh->click();
    ASSERT_TRUE(page.Scanning());
    page.bt_Stop->click();
    page.WaitForScan();
    ExpectStoppedScan();
    EXPECT_LT(all.RowCount() - 1, kFiles / 2);
    EXPECT_EQ(window.Find<QListView>("lb_AllReplaysList")->model()->rowCount(), kFiles);
    EXPECT_TRUE(window.errors.empty());
}

// The window's scans of real replays, the first one and the rescan from the row cache, list
// exactly the rows of the core's scan of one file after the other, in its order.
TEST(LibraryWindowRealScan, RealReplaysListTheCoreScansRowsFirstTimeAndFromTheCache) {
    KORDEX_REQUIRE_SHARED_REPLAYS();
    // The folder that holds the most of them.
    std::map<std::string, int> perFolder;
    for (const std::string& path : SharedReplayFiles())
        ++perFolder[Utf8Of(PathOf(path).parent_path())];
    const std::string folder =
        std::max_element(perFolder.begin(), perFolder.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;

    WindowHarness window;
    std::filesystem::copy_file(PathOf(KORDEX_SHIPPED_INI), PathOf(window.IniPath()));
    LibraryTables core;
    HeadlessDesktop desktop;
    ProcessReplays(folder, core, IniFile::Load(window.IniPath()), desktop);
    ASSERT_GT(core.allReplays.RowCount(), 10);

    app::TKordexForm& form = window.Open();
    app::LibraryPage& page = *form.ts_ReplaysList;
    page.ed_AllReplaysFolder->setText(QString::fromStdString(folder));
    const TextGrid& all = form.Tables().library.allReplays;
    for (const char* scan : {"first scan", "rescan from the cache"}) {
        SCOPED_TRACE(scan);
        page.bt_Refresh->click();
        page.WaitForScan();
        ASSERT_EQ(all.RowCount(), core.allReplays.RowCount());
        int differing = 0;
        for (int row = 0; row < all.RowCount(); ++row)
            for (int column = 0; column < kLibraryColumns; ++column)
                if (all.Cell(column, row) != core.allReplays.Cell(column, row) && differing++ < 5)
                    ADD_FAILURE() << "row " << row << ", column " << column << ": "
                                  << all.Cell(column, row) << " against "
                                  << core.allReplays.Cell(column, row);
        EXPECT_EQ(differing, 0);
        EXPECT_EQ(form.Tables().library.allReplaysList, core.allReplaysList);
    }
    EXPECT_TRUE(window.errors.empty());
}

TEST_F(LibraryWindowTest, TheSearchShowsTheMatchingRowsAndActionsTakeOnlyThem) {
    auto* search = window.Find<QLineEdit>("ed_Search");
    ASSERT_NE(search, nullptr);
    search->setText(QStringLiteral("B.WOT"));
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(RowShown(all(), row), row == 0 || row == 2) << row;  // the title and b
    EXPECT_TRUE(list->BodyPane()->isRowHidden(0));
    EXPECT_FALSE(list->BodyPane()->isRowHidden(1));
    // All three selected, one shown: one file handed on, into "Один бой".
    all().SetSelection({1, 3});
    list->Refresh();
    window.Find<QPushButton>("bt_ProcessInKordex")->click();
    EXPECT_EQ(form->AnalyseType->currentIndex(), 1);
    EXPECT_EQ(form->ReplaysList(), std::vector<std::string>{folder + "/b.wotreplay"});
    search->clear();
    EXPECT_TRUE(RowShown(all(), 1));
    EXPECT_TRUE(RowShown(all(), 3));
}

// A scan paints the bars and the lists for its first file, then no more often than the
// interval allows, and always its end.
TEST(LibraryScanProgress, PaintsTheFirstFileThenAtIntervalsAndTheEnd) {
    QStatusBar status;
    QProgressBar bar;
    int listsShown = 0;
    struct Case {
        int intervalMs;
        bool secondFilePainted;
    };
    for (Case c : {Case{60000, false}, Case{0, true}}) {
        listsShown = 0;
        app::LibraryScanProgress progress(
            {status, bar}, [&] { ++listsShown; }, c.intervalMs);
        progress.Started(3);
        EXPECT_FALSE(bar.isHidden());
        EXPECT_EQ(bar.maximum(), 3);
        progress.ReadingFile("/r/a.wotreplay");
        EXPECT_EQ(status.currentMessage(), QStringLiteral("Текущий реплей: /r/a.wotreplay"));
        EXPECT_EQ(listsShown, 1);
        progress.FileDone();
        progress.ReadingFile("/r/b.wotreplay");
        progress.FileDone();
        EXPECT_EQ(status.currentMessage().endsWith(QStringLiteral("b.wotreplay")),
                  c.secondFilePainted);
        EXPECT_EQ(bar.value(), c.secondFilePainted ? 1 : 0);
        EXPECT_EQ(listsShown, c.secondFilePainted ? 2 : 1);
        progress.ReadingFile("/r/c.wotreplay");
        progress.FileDone();
        progress.Finished();
        EXPECT_TRUE(bar.isHidden());
        EXPECT_EQ(bar.value(), 3);
        EXPECT_TRUE(status.currentMessage().isEmpty());
        EXPECT_EQ(listsShown, c.secondFilePainted ? 4 : 2);
    }
}

TEST(QtFileSystem, MovesWithoutReplacingAndCreatesFolders) {
    TempFolder folder;
    app::QtFileSystem files;
    const std::string nested = folder.File("x/[Избранное]");
    EXPECT_TRUE(files.CreateFolder(nested));
    EXPECT_TRUE(files.FolderExists(nested));
    EXPECT_FALSE(files.FileExists(nested));
    WriteBytesFile(folder.File("a.wotreplay"), "first");
    WriteBytesFile(folder.File("b.wotreplay"), "second");
    EXPECT_FALSE(files.MoveFileNoReplace(folder.File("a.wotreplay"), folder.File("b.wotreplay")));
    EXPECT_TRUE(files.FileExists(folder.File("a.wotreplay")));
    EXPECT_TRUE(files.MoveFileNoReplace(folder.File("a.wotreplay"), nested + "/a.wotreplay"));
    EXPECT_TRUE(files.FileExists(nested + "/a.wotreplay"));
    EXPECT_FALSE(files.FileExists(folder.File("a.wotreplay")));
    EXPECT_FALSE(files.MoveToTrash(""));
    EXPECT_FALSE(files.FileExists(""));
}

}  // namespace
}  // namespace kordex::test
