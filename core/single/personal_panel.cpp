#include "single/personal_panel.h"

#include <cmath>
#include <utility>

#include "platform/kordex_error.h"

namespace kordex {

namespace {

[[noreturn]] void ThrowNotWhole(std::string_view key, std::string_view text) {
    throw KordexError("Значение \"" + std::string(key) + "\" не является целым числом: \"" +
                      std::string(text) + "\"");
}

int WholeOrThrow(std::string_view key, std::string_view text) {
    auto value = ParseWholeNumber(text);
    if (!value)
        ThrowNotWhole(key, text);
    return *value;
}

// Only the whole seconds of a duration such as 413.6 count.
std::string_view WholePart(std::string_view duration) {
    return duration.substr(0, duration.find('.'));
}

std::string MinutesSeconds(int seconds) {
    return std::to_string(seconds / 60) + "м " + std::to_string(seconds % 60) + "c";
}

// The terms of the credit balance with their signs.
constexpr std::pair<std::string_view, int> kBalanceTerms[] = {
    {"Label_credits", +1},        {"Label_creditsPenalty", -1}, {"Label_creditsContributionIn", +1},
    {"Label_autoRepairCost", -1}, {"Label_autoLoadCost", -1},   {"Label_autoEquipCost", -1},
};

}  // namespace

std::optional<std::string> LifeTimeText(std::string_view lifeTime, std::string_view duration) {
    auto life = ParseWholeNumber(lifeTime);
    auto battle = ParseWholeNumber(WholePart(duration));
    if (!life || !battle)
        return std::nullopt;
    return MinutesSeconds(*life) + " / " + MinutesSeconds(*battle);
}

std::optional<std::string> MileageText(std::string_view mileage, const NumberFormat& format) {
    auto metres = ParseWholeNumber(mileage);
    if (!metres)
        return std::nullopt;
    return FormatGeneral(*metres / 1000.0, format) + " км";
}

std::optional<int> DailyXpFactor(std::string_view dailyXPFactor10) {
    auto tenths = ParseWholeNumber(dailyXPFactor10);
    if (!tenths)
        return std::nullopt;
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    return static_cast<int>(std::nearbyint(*tenths / 10.0));
}

std::string CostCreditsPart(std::string_view cost) {
    std::string text(cost);
    if (auto bracket = text.find('['); bracket != std::string::npos)
        text.erase(bracket, 1);
    auto comma = text.find(',');
    if (comma == std::string::npos)
        return "";
    return text.substr(0, comma);
}

std::optional<long long> CreditBalance(const LabelStore& labels) {
    long long balance = 0;
    for (const auto& [label, sign] : kBalanceTerms) {
        auto value = ParseWholeNumber(labels.Text(label));
        if (!value)
            return std::nullopt;
        balance += sign * static_cast<long long>(*value);
    }
    return balance;
}

void FillPersonalPanel(const PersonalResults& personal, const CommonResults& common,
                       const BattleHeader& header, const NumberFormat& format, LabelStore& labels) {
    auto value = [&personal](std::string_view key) -> const std::string& {
        return personal.Value(key);
    };
    auto show = [&labels, &value](std::string_view label, std::string_view key) {
        labels.Set(label, value(key));
    };

    show("Label_spotted", "spotted");
    show("Label_damaged", "damaged");
    show("Label_kills", "kills");
    show("Label_hits", "directHits");
    show("Label_damageDealt", "damageDealt");
    show("Label_capturePoints", "capturePoints");
    show("Label_damageReceived", "damageReceived");
    labels.Set("Label_arenaCreateTime", common.arenaCreateTime);
    show("Label_credits", "credits");
    show("Label_shotsReceived", "directHitsReceived");
    show("Label_droppedCapturePoints", "droppedCapturePoints");
    show("Label_xp", "xp");
    show("Label_shots", "shots");
    labels.Set("Label_Time", header.dateTime);
    show("Label_he_hits", "explosionHits");
    show("Label_pierced", "piercings");
    labels.Set("Label_damageReceived",
               value("damageReceived") + "/" + value("damageBlockedByArmor"));
    show("Label_damageAssistedRadio", "damageAssistedRadio");
    show("Label_damageAssistedTrack", "damageAssistedTrack");

    auto mileage = MileageText(value("mileage"), format);
    if (!mileage)
        ThrowNotWhole("mileage", value("mileage"));
    labels.Set("Label_mileage", *mileage);

    WholeOrThrow("lifeTime", value("lifeTime"));
    WholeOrThrow("duration", WholePart(common.duration));
    labels.Set("Label_lifetime_duration", *LifeTimeText(value("lifeTime"), common.duration));

    labels.Set("Label_premium", value("isPremium") == "true" ? "Да" : "Нет");

    auto factor = DailyXpFactor(value("dailyXPFactor10"));
    if (!factor)
        ThrowNotWhole("dailyXPFactor10", value("dailyXPFactor10"));
    if (*factor > 1)
        labels.Set("Label_xp", value("xp") + " (x" + std::to_string(*factor) + ")");

    show("Label_freeXp", "freeXP");
    show("Label_autoRepairCost", "autoRepairCost");
    labels.Set("Label_autoLoadCost", CostCreditsPart(value("autoLoadCost")));
    labels.Set("Label_autoEquipCost", CostCreditsPart(value("autoEquipCost")));
    show("Label_xpPenalty", "xpPenalty");
    show("Label_creditsPenalty", "creditsPenalty");
    show("Label_creditsContributionIn", "creditsContributionIn");

    // Read back as shown, naming the first term that is no whole number.
    long long balance = 0;
    for (const auto& [label, sign] : kBalanceTerms)
        balance += sign * static_cast<long long>(WholeOrThrow(label, labels.Text(label)));
    labels.Set("Label_silverSumm", std::to_string(balance));
}

std::string KillerText(const VehicleTable& vehicles, std::string_view killerId) {
    if (killerId.empty() || killerId == "0")
        return {};
    for (const VehicleRow& vehicle : vehicles) {
        if (vehicle[vehicle_field::Id] != killerId || vehicle[vehicle_field::Name].empty())
            continue;
        const std::string& type = vehicle[vehicle_field::Type];
        return type.empty() ? vehicle[vehicle_field::Name]
                            : vehicle[vehicle_field::Name] + " (" + type + ")";
    }
    return {};
}

}  // namespace kordex
