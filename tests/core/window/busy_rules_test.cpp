#include "window/busy_rules.h"

#include <gtest/gtest.h>

namespace kordex {
namespace {

TEST(BusyRules, ARunGuardsTheSeriesAScanGuardsTheLibraryRows) {
    using A = WindowAction;
    struct Case {
        A action;
        bool duringRun;
        bool duringScan;
    };
    const Case cases[] = {
        {A::FileDrop, false, true},          {A::SeriesTitleSort, false, true},
        {A::SeriesHandOff, false, true},     {A::SingleHandOff, true, true},
        {A::LibraryScan, true, false},       {A::LibraryFavorites, true, false},
        {A::LibraryDelete, true, false},     {A::LibraryTitleSort, true, false},
        {A::LibraryLiveChange, true, false},
    };
    for (const Case& c : cases) {
        const int action = static_cast<int>(c.action);
        EXPECT_TRUE(MayRun(c.action, {})) << action;
        EXPECT_EQ(MayRun(c.action, {.seriesRun = true}), c.duringRun) << action;
        EXPECT_EQ(MayRun(c.action, {.libraryScan = true}), c.duringScan) << action;
        EXPECT_EQ(MayRun(c.action, {true, true}), c.duringRun && c.duringScan) << action;
    }
}

}  // namespace
}  // namespace kordex
