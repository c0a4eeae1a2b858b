#include <gtest/gtest.h>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <filesystem>

#include "series_page.h"
#include "window_harness.h"

namespace kordex::test {
namespace {

// With KORDEX_SCREENSHOT_DIR set (scripts/screenshot) the grabbed images are kept there.
void Keep(const QImage& image, const char* name) {
    const QString folder = qEnvironmentVariable("KORDEX_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    EXPECT_TRUE(
        image.save(QDir(folder).filePath(QStringLiteral("%1.png").arg(QString::fromLatin1(name)))));
}

int ColourCount(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

TEST(Screenshot, EveryTabDrawsItsControls) {
    WindowHarness window;
    app::TKordexForm& form = window.Open();
    const char* const names[] = {"kordex-single", "kordex-series", "kordex-library",
                                 "kordex-options"};
    for (int tab = 0; tab < form.AnalyseType->count(); ++tab) {
        form.AnalyseType->setCurrentIndex(tab);
        QApplication::processEvents();
        QImage image = form.grab().toImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), form.size());
        // More than a blank surface: the controls drew in several colours.
        EXPECT_GT(ColourCount(image), 3) << names[tab];
        Keep(image, names[tab]);
    }
}

// A finished 9.17.1 battle from the shared replays, as the user sees it on "Один бой".
TEST(Screenshot, RealBattleOnBothSingleViewTabs) {
    KORDEX_REQUIRE_SHARED_REPLAYS();
    WindowHarness window(true);
    std::filesystem::copy_file(KORDEX_SHIPPED_INI, window.IniPath());
    app::TKordexForm& form = window.Open();
    const std::string replay = SharedReplaysFolder() +
                               "/rajesh-rahul-wot-battle-results-parser/"
                               "1-0_9_17_1-06_ensk-EU-full.wotreplay";
    window.Find<QLineEdit>("ReplayPath")->setText(QString::fromStdString(replay));
    form.SingleReplayAnalyse->click();
    ASSERT_TRUE(window.errors.empty()) << window.errors.front();
    EXPECT_EQ(form.AnalyseType->currentIndex(), 0);
    EXPECT_FALSE(window.Find<QLabel>("Label_Map")->text().isEmpty());
    EXPECT_NE(window.Find<QLabel>("Label_shots")->text(), QString());

    auto* results = window.Find<QTabWidget>("SingleReplayResults");
    const char* const names[] = {"kordex-commands", "kordex-details"};
    for (int tab = 0; tab < 2; ++tab) {
        results->setCurrentIndex(tab);
        QApplication::processEvents();
        QImage image = form.grab().toImage();
        EXPECT_GT(ColourCount(image), 3) << names[tab];
        Keep(image, names[tab]);
    }
    results->setCurrentIndex(0);
}

// Three finished battles from the shared replays run as a series, on the tab "Опыт".
TEST(Screenshot, RealSeriesOnTheExperienceTab) {
    KORDEX_REQUIRE_SHARED_REPLAYS();
    WindowHarness window(true);
    std::filesystem::copy_file(KORDEX_SHIPPED_INI, window.IniPath());
    app::TKordexForm& form = window.Open();
    // Copies, since a run moves replays it cannot use into subfolders of their folder.
    std::vector<DroppedItem> dropped;
    for (const char* name :
         {"1-0_9_15_0-10_hills-EU-full.wotreplay", "1-0_9_16_0-31_airfield-EU-full.wotreplay",
          "1-0_9_17_1-06_ensk-EU-full.wotreplay"}) {
        const std::string copy = window.folder.File(name);
        std::filesystem::copy_file(
            SharedReplaysFolder() + "/rajesh-rahul-wot-battle-results-parser/" + name, copy);
        dropped.push_back({copy, false});
    }
    form.WMDropFiles(dropped);
    form.SeriesReplays->SeriesAnalysisButton->click();
    ASSERT_TRUE(window.errors.empty()) << window.errors.front();
    EXPECT_EQ(form.Tables().SeriesGridExp.ColumnCount(), 7);
    QApplication::processEvents();
    QImage image = form.grab().toImage();
    EXPECT_GT(ColourCount(image), 3);
    Keep(image, "kordex-series-run");
}

// The library of a folder of the shared replays.
TEST(Screenshot, RealLibraryList) {
    KORDEX_REQUIRE_SHARED_REPLAYS();
    WindowHarness window(true);
    std::filesystem::copy_file(KORDEX_SHIPPED_INI, window.IniPath());
    app::TKordexForm& form = window.Open();
    const std::string folder = SharedReplaysFolder() + "/rajesh-rahul-wot-battle-results-parser";
    window.Find<QLineEdit>("ed_AllReplaysFolder")->setText(QString::fromStdString(folder));
    window.Find<QPushButton>("bt_Refresh")->click();
    form.AnalyseType->setCurrentIndex(2);
    ASSERT_TRUE(window.errors.empty()) << window.errors.front();
    EXPECT_GT(form.Tables().library.allReplays.RowCount(), 10);
    QApplication::processEvents();
    QImage image = form.grab().toImage();
    EXPECT_GT(ColourCount(image), 3);
    Keep(image, "kordex-library-scan");
}

}  // namespace
}  // namespace kordex::test
