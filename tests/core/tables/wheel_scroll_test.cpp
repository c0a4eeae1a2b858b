#include "tables/wheel_scroll.h"

#include <gtest/gtest.h>

namespace kordex {
namespace {

TEST(WheelScrollStep, ScrollsByTheNotchAndKeepsTheCurrentRowInView) {
    // A series table: 30 rows, 3 header rows, 10 body rows in view, last scroll position 20.
    const GridScrollShape series{30, 3, 10, 1, 8};
    // The summary table: one header row.
    const GridScrollShape summary{30, 1, 10, 1, 5};
    // Fewer rows than fit.
    const GridScrollShape small{5, 3, 10, 1, 1};
    const auto down = WheelDirection::Down;
    const auto up = WheelDirection::Up;
    struct Case {
        const char* name;
        GridScrollShape shape;
        GridScrollPosition before;
        WheelDirection direction;
        bool shift;
        GridScrollPosition after;  // top row, left column, current row
    };
    const Case cases[] = {
        {"down: 3 rows, current row one", series, {3, 1, 8}, down, false, {6, 1, 9}},
        {"down: current row at the top pulls back", series, {3, 1, 3}, down, false, {4, 1, 4}},
        {"down: stops at the last position", series, {19, 1, 25}, down, false, {20, 1, 26}},
        {"down at the bottom", series, {20, 1, 29}, down, false, {20, 1, 29}},
        {"up: by the header rows", series, {9, 1, 14}, up, false, {6, 1, 13}},
        {"up: current row at the bottom follows", series, {9, 1, 18}, up, false, {8, 1, 17}},
        {"up at the top", series, {3, 1, 5}, up, false, {3, 1, 4}},
        {"up at the top, first body row", series, {3, 1, 3}, up, false, {3, 1, 3}},
        {"up: summary by one row", summary, {7, 1, 10}, up, false, {6, 1, 9}},
        {"up: never into the header", series, {4, 1, 8}, up, false, {3, 1, 7}},
        {"shift down: one column right", series, {3, 1, 3}, down, true, {3, 2, 4}},
        {"shift down at the right end", series, {3, 8, 3}, down, true, {3, 8, 4}},
        {"shift up: one column left", series, {3, 5, 4}, up, true, {3, 4, 3}},
        {"shift up at the first column", series, {3, 1, 4}, up, true, {3, 1, 3}},
        {"short table: nothing to scroll", small, {3, 1, 3}, down, false, {3, 1, 4}},
    };
    for (const auto& c : cases) {
        const auto after = WheelScrollStep(c.before, c.shape, c.direction, c.shift);
        EXPECT_EQ(after, c.after) << c.name << ": " << after.topRow << " " << after.leftColumn
                                  << " " << after.currentRow;
    }
}

}  // namespace
}  // namespace kordex
