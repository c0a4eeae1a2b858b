#include "window/busy_policy.h"

#include <gtest/gtest.h>

#include <string>

namespace kordex {
namespace {

constexpr BusyState kRun{true, false};
constexpr BusyState kScan{false, true};
constexpr BusyState kBoth{true, true};

TEST(WhileBusy, EachActionHasOneAnswerPerBusyWork) {
    using A = WindowAction;
    constexpr BusyAnswer R = BusyAnswer::Run, W = BusyAnswer::Wait, X = BusyAnswer::Refuse;
    struct Case {
        WindowAction action;
        BusyAnswer duringRun, duringScan, duringBoth;
    };
    const Case cases[] = {
        {A::Drop, X, R, X},          {A::OpenReplay, R, R, R},
        {A::SeriesRun, X, R, X},     {A::SeriesSort, X, R, X},
        {A::SummarySort, R, R, R},   {A::SeriesBattleOpen, R, R, R},
        {A::SeriesExport, X, R, X},  {A::SeriesHandOff, X, R, X},
        {A::LibraryScan, R, X, X},   {A::LibraryOpen, R, R, R},
        {A::LibrarySort, R, W, W},   {A::LibraryFavorites, R, X, X},
        {A::LibraryDelete, R, X, X}, {A::LibraryLiveChange, R, X, X},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.action));
        EXPECT_EQ(WhileBusy({}, c.action), BusyAnswer::Run);
        EXPECT_EQ(WhileBusy(kRun, c.action), c.duringRun);
        EXPECT_EQ(WhileBusy(kScan, c.action), c.duringScan);
        EXPECT_EQ(WhileBusy(kBoth, c.action), c.duringBoth);
    }
}

struct GateFixture : ::testing::Test {
    BusyState busy;
    BusyGate gate{[this] { return busy; }};
    std::string ran;
};

TEST_F(GateFixture, RunsRefusesOrKeepsAsTheRuleSays) {
    EXPECT_EQ(gate.Admit(WindowAction::LibrarySort, [&] { ran += "a"; }), BusyAnswer::Run);
    busy.libraryScan = true;
    EXPECT_EQ(gate.Admit(WindowAction::LibraryDelete, [&] { ran += "x"; }), BusyAnswer::Refuse);
    EXPECT_EQ(gate.Admit(WindowAction::LibrarySort, [&] { ran += "b"; }), BusyAnswer::Wait);
    EXPECT_EQ(gate.Admit(WindowAction::LibrarySort, [&] { ran += "c"; }), BusyAnswer::Wait);
    EXPECT_EQ(ran, "a");
    EXPECT_EQ(gate.WaitingCount(), 2);

    // The end of a scan while a run is still under way keeps the actions waiting.
    busy = kRun;
    gate.BusyEnded();
    EXPECT_EQ(ran, "a");
    busy = {};
    gate.BusyEnded();
    EXPECT_EQ(ran, "abc");
    EXPECT_EQ(gate.WaitingCount(), 0);
    gate.BusyEnded();
    EXPECT_EQ(ran, "abc") << "a kept action runs once";
}

TEST_F(GateFixture, AKeptActionThatStartsBusyWorkHoldsBackTheRest) {
    busy = kScan;
    gate.Admit(WindowAction::LibrarySort, [&] {
        ran += "a";
        busy.libraryScan = true;  // say, the sort's handler started a new scan
    });
    gate.Admit(WindowAction::LibrarySort, [&] { ran += "b"; });
    busy = {};
    gate.BusyEnded();
    EXPECT_EQ(ran, "a");
    EXPECT_EQ(gate.WaitingCount(), 1);
    busy = {};
    gate.BusyEnded();
    EXPECT_EQ(ran, "ab");
}

}  // namespace
}  // namespace kordex
