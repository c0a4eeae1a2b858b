#pragma once

#include <optional>
#include <string>

namespace kordex {

// The personal values the library's net profit is made of, as the replay holds them.
struct ProfitValues {
    std::string premiumCreditsFactor10;
    std::string originalCredits;
    std::string creditsContributionIn;
    std::string creditsContributionOut;
    std::string autoRepairCost;
    std::string autoEquipCost;  // a list such as [1234,0]: its first number counts
    std::string autoLoadCost;   // the same
    // What premiumCreditsFactor10 is divided by: 10, or 100 where the replay writes
    // "premiumCreditsFactor100" in its place.
    int premiumFactorDivisor = 10;
};

// The first number of a list value: the text after the first "[" up to the first ",";
// empty when the value has no comma.
std::string FirstListNumber(const std::string& value);

// originalCredits × f + contributionIn − contributionOut × f − repair − equipment − ammo with
// f = premiumCreditsFactor10 / 10 (or the hundredths factor / 100), in extended precision, rounded
// half to even. Nothing when a value cannot be read.
std::optional<long long> NetProfit(const ProfitValues& values);

}  // namespace kordex
