#include <gtest/gtest.h>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <filesystem>

#include "pages/charts_page.h"
#include "pages/library_page.h"
#include "pages/series_page.h"
#include "support/test_paths.h"
#include "synthetic_battles.h"
#include "window_harness.h"

namespace kordex::test {
namespace {

// With KORDEX_SCREENSHOT_DIR set (scripts/screenshot) the grabbed images are kept there, in
// 256 colours: a window's flat colours lose nothing visible and the files stay small.
void Keep(const QImage& image, const char* name) {
    const QString folder = qEnvironmentVariable("KORDEX_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    const QImage small =
        image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    EXPECT_TRUE(small.save(
        QDir(folder).filePath(QStringLiteral("%1.png").arg(QString::fromLatin1(name))), "PNG", 0));
}

int ColourCount(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

// The window as it draws now: more than a blank surface (the controls drew in several colours),
// kept under the name.
QImage Drawn(QWidget& window, const char* name) {
    QApplication::processEvents();
    QImage image = window.grab().toImage();
    EXPECT_GT(ColourCount(image), 3) << name;
    Keep(image, name);
    return image;
}

// Both tabs of "Один бой" as they draw.
void DrawnSingleViewTabs(WindowHarness& window, const char* const (&names)[2]) {
    auto* results = window.Find<QTabWidget>("SingleReplayResults");
    for (int tab = 0; tab < 2; ++tab) {
        results->setCurrentIndex(tab);
        Drawn(*window.form, names[tab]);
    }
    results->setCurrentIndex(0);
}

TEST(Screenshot, EveryTabDrawsItsControls) {
    WindowHarness window;
    app::TKordexForm& form = window.Open();
    const char* const names[] = {"kordex-empty-single", "kordex-empty-series",
                                 "kordex-empty-library", "kordex-options"};
    for (int tab = 0; tab < form.AnalyseType->count(); ++tab) {
        form.AnalyseType->setCurrentIndex(tab);
        const QImage image = Drawn(form, names[tab]);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), form.size());
    }
}

// A real battle from ../shared/replays, kept only in the folder scripts/screenshot is given:
// real replays carry real players' names, so these pictures never go into the repository.
TEST(Screenshot, RealBattleOnBothSingleViewTabs) {
    KORDEX_REQUIRE_SHARED_REPLAYS();
    std::string replay;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(SharedReplaysFolder())) {
        const std::string name = entry.path().filename().string();
        if (name.find("9_17_1") != std::string::npos && name.ends_with("-full.wotreplay"))
            replay = entry.path().string();
    }
    if (replay.empty())
        GTEST_SKIP() << "no finished 9.17.1 battle among the real replays";
    WindowHarness window{true};
    app::TKordexForm& form = window.Open();
    window.AnalyseSingle(replay);
    ASSERT_TRUE(window.errors.empty()) << window.errors.front();
    EXPECT_FALSE(form.Tables().AlliesGrid.Cell(1, 1).empty());
    DrawnSingleViewTabs(window, {"kordex-real-battle", "kordex-real-battle-details"});
}

// The pictures for the README show invented battles only: the real replays carry real
// players' names.
class ScreenshotInvented : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy_file(KORDEX_SHIPPED_INI, window.IniPath());
        replays = window.folder.File("World_of_Tanks/replays");
        std::filesystem::create_directories(replays);
    }

    WindowHarness window{true};
    std::string replays;
};

// One battle as the user sees it on "Один бой": both team tables and the personal results.
TEST_F(ScreenshotInvented, OneBattleOnBothSingleViewTabs) {
    app::TKordexForm& form = window.Open();
    const std::string replay = WriteSyntheticReplay(replays, 0, true);
    window.AnalyseSingle(replay);
    ASSERT_TRUE(window.errors.empty()) << window.errors.front();
    EXPECT_EQ(form.AnalyseType->currentIndex(), 0);
    EXPECT_EQ(window.Find<QLabel>("Label_Map")->text().toStdString(), "Химмельсдорф, обычный");
    EXPECT_EQ(form.Tables().AlliesGrid.Cell(1, 0), "Ник");
    DrawnSingleViewTabs(window, {"kordex-single-battle", "kordex-single-details"});
}

// Three company battles of an evening run as a series, on the tab "Опыт".
TEST_F(ScreenshotInvented, SeriesOnTheExperienceTab) {
    app::TKordexForm& form = window.Open();
    std::vector<DroppedItem> dropped;
    for (int battle = 0; battle < 3; ++battle)
        dropped.push_back({WriteSyntheticReplay(replays, battle), false});
    form.WMDropFiles(dropped);
    form.SeriesReplays->SeriesAnalysisButton->click();
    ASSERT_TRUE(window.errors.empty()) << window.errors.front();
    // Three battles, the totals and the averages.
    EXPECT_EQ(form.Tables().SeriesGridExp.ColumnCount(), 7);
    EXPECT_EQ(form.Tables().SeriesGridExp.Cell(0, 3), "Игрок01");
    Drawn(form, "kordex-series");
}

// Eight invented battles of an evening on the tab "Графики", one player chosen.
TEST_F(ScreenshotInvented, SeriesOnTheChartsTab) {
    app::TKordexForm& form = window.Open();
    // Large enough for the team, the ranking and one player's charts together.
    form.resize(1200, 1000);
    std::vector<DroppedItem> dropped;
    for (int battle = 0; battle < 8; ++battle)
        dropped.push_back({WriteSyntheticReplay(replays, battle), false});
    form.WMDropFiles(dropped);
    form.SeriesReplays->SeriesAnalysisButton->click();
    ASSERT_TRUE(window.errors.empty()) << window.errors.front();
    auto* charts = window.Find<app::ChartsPage>("Charts");
    form.SeriesReplays->Multi->setCurrentWidget(charts);
    ASSERT_TRUE(charts->ShowPlayer(QStringLiteral("Игрок01")));
    QApplication::processEvents();
    EXPECT_EQ(charts->TeamChartViews[0]->Figure().boxes.size(), 8u);
    Drawn(form, "kordex-series-charts");
}

// The library of a folder of invented battles.
TEST_F(ScreenshotInvented, LibraryList) {
    for (int battle = 0; battle < 24; ++battle)
        WriteSyntheticReplay(replays, battle, battle % 3 == 2);
    app::TKordexForm& form = window.Open();
    window.Find<QLineEdit>("ed_AllReplaysFolder")->setText(QString::fromStdString(replays));
    window.Find<QPushButton>("bt_Refresh")->click();
    form.ts_ReplaysList->WaitForScan();
    form.AnalyseType->setCurrentIndex(2);
    ASSERT_TRUE(window.errors.empty()) << window.errors.front();
    EXPECT_EQ(form.Tables().library.allReplays.RowCount(), 25);
    Drawn(form, "kordex-library");
}

}  // namespace
}  // namespace kordex::test
