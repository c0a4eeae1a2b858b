#pragma once

namespace kordex {

// The window's outer size is its client area plus the frame the layout was drawn for.
inline constexpr int kDesignFrameWidth = 16;
inline constexpr int kDesignFrameHeight = 38;
inline constexpr int kClientWidth = 853;
inline constexpr int kClientHeight = 472;

// Where the two team tables stand for an outer window width: side by side, equally wide,
// 7 pixels apart, the enemies' caption above the enemies' table.
struct TeamGridsLayout {
    int alliesWidth = 0;
    int enemiesLeft = 0;
    int enemiesWidth = 0;
    int enemiesCaptionLeft = 0;
};

TeamGridsLayout TeamGridsForWindowWidth(int outerWidth);

}  // namespace kordex
