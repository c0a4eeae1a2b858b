#include "window/window_layout.h"

namespace kordex {

namespace {

// Half of n rounded to the nearest integer, halves to the even neighbour.
int HalfRoundedToEven(int n) {
    int floor = n >= 0 ? n / 2 : -((-n + 1) / 2);
    if (n % 2 == 0)
        return floor;
    return floor % 2 == 0 ? floor : floor + 1;
}

}  // namespace

TeamGridsLayout TeamGridsForWindowWidth(int outerWidth) {
    TeamGridsLayout layout;
    layout.alliesWidth = HalfRoundedToEven(outerWidth - 52);
    layout.enemiesLeft = layout.alliesWidth + 7;
    layout.enemiesWidth = layout.alliesWidth;
    layout.enemiesCaptionLeft = layout.alliesWidth + 7;
    return layout;
}

}  // namespace kordex
