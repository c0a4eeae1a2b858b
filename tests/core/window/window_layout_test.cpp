#include "window/window_layout.h"

#include <gtest/gtest.h>

namespace kordex {
namespace {

TEST(TeamGridsLayout, HalvesTheWidthRoundingHalvesToEven) {
    struct Case {
        int outerWidth;
        int alliesWidth;
    };
    const Case cases[] = {{869, 408}, {871, 410}, {870, 409}, {873, 410}, {1280, 614}};
    for (const Case& c : cases) {
        TeamGridsLayout layout = TeamGridsForWindowWidth(c.outerWidth);
        EXPECT_EQ(layout.alliesWidth, c.alliesWidth) << c.outerWidth;
        EXPECT_EQ(layout.enemiesWidth, c.alliesWidth) << c.outerWidth;
        EXPECT_EQ(layout.enemiesLeft, c.alliesWidth + 7) << c.outerWidth;
        EXPECT_EQ(layout.enemiesCaptionLeft, c.alliesWidth + 7) << c.outerWidth;
    }
}

}  // namespace
}  // namespace kordex
