#include "library/net_profit.h"

#include "text/number_format.h"

namespace kordex {

std::string FirstListNumber(const std::string& value) {
    std::string text = value;
    const auto bracket = text.find('[');
    if (bracket != std::string::npos)
        text.erase(bracket, 1);
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return {};
    return text.substr(0, comma);
}

std::optional<long long> NetProfit(const ProfitValues& values) {
    // The factor is written with a point in replays, whatever the user's locale.
    const auto factor10 = ParseLocaleNumber(values.premiumCreditsFactor10, NumberFormat{'.'});
    const auto original = ParseWholeNumber(values.originalCredits);
    const auto in = ParseWholeNumber(values.creditsContributionIn);
    const auto out = ParseWholeNumber(values.creditsContributionOut);
    const auto repair = ParseWholeNumber(values.autoRepairCost);
    const auto equipment = ParseWholeNumber(FirstListNumber(values.autoEquipCost));
    const auto ammo = ParseWholeNumber(FirstListNumber(values.autoLoadCost));
    if (!factor10 || !original || !in || !out || !repair || !equipment || !ammo ||
        values.premiumFactorDivisor <= 0)
        return std::nullopt;
    const long double f = static_cast<long double>(*factor10) / values.premiumFactorDivisor;
    const long double profit = *original * f + *in - *out * f - *repair - *equipment - *ammo;
    // A profit beyond every whole number (a factor of 1e300) is a conversion failure.
    return RoundedWhole(profit);
}

}  // namespace kordex
