#include <gtest/gtest.h>
#include <QFontMetrics>

#include "platform/qt_desktop.h"
#include "platform/qt_font.h"

namespace kordex::test {
namespace {

TEST(QtDesktop, TextWidthsAreQtsOwnAgainAndAfterTheFontChanges) {
    // The desktop keeps the widths it measured; fonts take turns, so that a width kept for one
    // font and handed out for another would show.
    const FontSpec fonts[] = {{"Tahoma", 12, false}, {"Tahoma", 12, true}, {"Tahoma", 20, false}};
    const std::string texts[] = {
        "", "1", "12345", "Линия Зигфрида", "Т-34-85 ★", std::string(300, 'W')};
    app::QtDesktop desktop;
    for (int round = 0; round < 2; ++round)
        for (const FontSpec& font : fonts) {
            const QFontMetrics metrics(app::ToQFont(font));
            for (const std::string& text : texts)
                EXPECT_EQ(desktop.TextWidth(text, font),
                          metrics.horizontalAdvance(QString::fromStdString(text)))
                    << text << " " << font.pixelHeight << (font.bold ? " bold" : "");
        }
    // The fonts measure differently, or the test could not tell them apart.
    EXPECT_NE(desktop.TextWidth("12345", fonts[0]), desktop.TextWidth("12345", fonts[2]));
}

}  // namespace
}  // namespace kordex::test
