#include <gtest/gtest.h>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTabWidget>

#include "window_harness.h"

namespace kordex::test {
namespace {

// The window's own grab of each tab. With KORDEX_SCREENSHOT_DIR set (scripts/screenshot) the
// images are kept there as PNG files.
TEST(Screenshot, EveryTabDrawsItsControls) {
    WindowHarness window;
    app::TKordexForm& form = window.Open();
    const QString folder = qEnvironmentVariable("KORDEX_SCREENSHOT_DIR");
    const char* const names[] = {"single", "series", "library", "options"};
    for (int tab = 0; tab < form.AnalyseType->count(); ++tab) {
        form.AnalyseType->setCurrentIndex(tab);
        QApplication::processEvents();
        QImage image = form.grab().toImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), form.size());
        // More than a blank surface: the controls drew in several colours.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 3) << names[tab];
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            EXPECT_TRUE(image.save(QDir(folder).filePath(
                QStringLiteral("kordex-%1.png").arg(QString::fromLatin1(names[tab])))));
        }
    }
}

}  // namespace
}  // namespace kordex::test
