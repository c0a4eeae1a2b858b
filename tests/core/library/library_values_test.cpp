#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "library/library_date.h"
#include "library/net_profit.h"

namespace kordex {
namespace {

TEST(LibraryDate, TurnsDayFirstIntoYearFirst) {
    EXPECT_EQ(LibraryDate("27.05.2017 21:04:33"), "2017.05.27 21:04:33");
    EXPECT_EQ(LibraryDate("1.2.2015 3:04:05"), "2015.02.01 03:04:05");
    EXPECT_EQ(LibraryDate("29.02.2016 00:00:00"), "2016.02.29 00:00:00");
    for (const char* bad : {"", "27.05.2017", "32.01.2017 10:00:00", "29.02.2015 10:00:00",
                            "27.13.2017 10:00:00", "27.05.2017 24:00:00", "aa.05.2017 10:00:00",
                            "27.05.2017 10:-1:00", "27/05/2017 10:00:00"})
        EXPECT_FALSE(LibraryDate(bad)) << bad;
}

ProfitValues Profit(std::string factor10, std::string original, std::string in, std::string out,
                    std::string repair, std::string equip, std::string load) {
    return {factor10, original, in, out, repair, equip, load};
}

TEST(NetProfit, ComputesCreditsAfterCosts) {
    EXPECT_EQ(NetProfit(Profit("15", "800", "0", "100", "250", "[0,0]", "[300,0]")), 500);
    EXPECT_EQ(NetProfit(Profit("10", "1000", "50", "0", "0", "[0, 0]", "[0, 0]")), 1050);
}

TEST(NetProfit, RoundsHalvesToEven) {
    // With factor 1.5: 67 × 1.5 = 100.5, 69 × 1.5 = 103.5; -1 × 1.5 + 1 = -0.5.
    EXPECT_EQ(NetProfit(Profit("15", "67", "0", "0", "0", "[0,0]", "[0,0]")), 100);
    EXPECT_EQ(NetProfit(Profit("15", "69", "0", "0", "0", "[0,0]", "[0,0]")), 104);
    EXPECT_EQ(NetProfit(Profit("10", "0", "101", "0", "0", "[0,0]", "[0,0]")), 101);
    EXPECT_EQ(NetProfit(Profit("15", "0", "1", "1", "0", "[0,0]", "[0,0]")), 0);
    EXPECT_EQ(NetProfit(Profit("5", "203", "0", "0", "0", "[0,0]", "[0,0]")), 102);  // 101.5
}

TEST(NetProfit, FailsOnValuesThatAreNotNumbers) {
    EXPECT_FALSE(NetProfit(Profit("15", "x", "0", "0", "0", "[0,0]", "[0,0]")));
    EXPECT_FALSE(NetProfit(Profit("15", "800", "0", "0", "0", "[0]", "[0,0]")));  // no comma
    EXPECT_FALSE(NetProfit(Profit("", "800", "0", "0", "0", "[0,0]", "[0,0]")));
}

TEST(NetProfit, AProfitBeyondEveryWholeNumberIsAConversionFailure) {
    const std::string digits300 = "1" + std::string(300, '0');
    const struct {
        std::string factor10;
        std::optional<long long> profit;
    } cases[] = {
        {"1e300", std::nullopt},
        {digits300, std::nullopt},
        {"-1e300", std::nullopt},
        {"1e999", std::nullopt},  // not even a double
        {"Infinity", std::nullopt},
        {"-0", -300},
        // 2^31 credits times a factor near the limit still fits; twice the limit does not.
        {"42949672960", 9223372032559808212LL},
        {"85899345920", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NetProfit(Profit(c.factor10, "2147483647", "0", "0", "0", "[0,0]", "[300,0]")),
                  c.profit)
            << c.factor10;
}

TEST(FirstListNumber, TakesTheTextBeforeTheFirstComma) {
    EXPECT_EQ(FirstListNumber("[1234,0]"), "1234");
    EXPECT_EQ(FirstListNumber("[1234, 5]"), "1234");
    EXPECT_EQ(FirstListNumber("[1234]"), "");
    EXPECT_EQ(FirstListNumber("77,1"), "77");
}

}  // namespace
}  // namespace kordex
