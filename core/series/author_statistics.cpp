#include "series/author_statistics.h"

#include <charconv>
#include <optional>
#include <utility>

#include "series/summary_columns.h"

namespace kordex {

namespace {

// Labels that add one personal value a replay, with the key's name in clients 9.0 and later.
struct KeyedLabel {
    std::string_view label;
    std::string_view key;
};
constexpr KeyedLabel kKeyedLabels[] = {
    {"Label_m_shots", "shots"},
    {"Label_m_hehits", "explosionHits"},
    {"Label_m_hits", "directHits"},
    {"Label_m_pierced", "piercings"},
    {"Label_m_dmg", "damageDealt"},
    {"Label_m_dmgrecieved", "damageReceived"},
    {"Label_m_shotsReceived", "directHitsReceived"},
    {"Label_m_potentialgot", "damageBlockedByArmor"},
    {"Label_m_spotted", "spotted"},
    {"Label_m_support", "damageAssistedRadio"},
    {"Label_m_tracks", "damageAssistedTrack"},
    {"Label_m_damaged", "damaged"},
    {"Label_m_killed", "kills"},
    {"Label_m_capture", "capturePoints"},
    {"Label_m_defend", "droppedCapturePoints"},
    {"Label_m_lifetime", "lifeTime"},
    {"Label_m_mileage", "mileage"},
    {"Label_m_exp", "xp"},
    {"Label_m_silver", "credits"},
    {"Label_m_repair", "repair"},
};

// Labels shown as "total / average", in the order they are written, with their units.
struct AveragedLabel {
    std::string_view label;
    UnitsForm form;
};
constexpr AveragedLabel kAveragedLabels[] = {
    {"Label_m_shots", UnitsForm::Thousands},         {"Label_m_hits", UnitsForm::Thousands},
    {"Label_m_hehits", UnitsForm::Thousands},        {"Label_m_pierced", UnitsForm::Thousands},
    {"Label_m_dmg", UnitsForm::Thousands},           {"Label_m_dmgrecieved", UnitsForm::Thousands},
    {"Label_m_shotsReceived", UnitsForm::Thousands}, {"Label_m_potentialgot", UnitsForm::Thousands},
    {"Label_m_spotted", UnitsForm::Thousands},       {"Label_m_support", UnitsForm::Thousands},
    {"Label_m_tracks", UnitsForm::Thousands},        {"Label_m_damaged", UnitsForm::Thousands},
    {"Label_m_killed", UnitsForm::Thousands},        {"Label_m_capture", UnitsForm::Thousands},
    {"Label_m_defend", UnitsForm::Thousands},        {"Label_m_lifetime", UnitsForm::Minutes},
    {"Label_m_mileage", UnitsForm::Kilometres},      {"Label_m_exp", UnitsForm::Thousands},
    {"Label_m_silver", UnitsForm::Thousands},        {"Label_m_ammo", UnitsForm::Thousands},
    {"Label_m_repair", UnitsForm::Thousands},        {"Label_m_equip", UnitsForm::Thousands},
    {"Label_m_profit", UnitsForm::Thousands},
};

// The first number of a cost list such as [1234,0].
std::string_view FirstListNumber(std::string_view text) {
    if (const auto open = text.find('['); open != std::string_view::npos)
        text.remove_prefix(open + 1);
    return text.substr(0, text.find_first_of(",]"));
}

// The whole seconds of a duration such as 413.5; an empty text gives 0.
long long WholeSeconds(std::string_view duration) {
    long long seconds = 0;
    for (char c : duration) {
        if (c < '0' || c > '9')
            break;
        seconds = seconds * 10 + (c - '0');
        if (seconds > 1'000'000'000)
            break;
    }
    return seconds;
}

// A number in general format (up to 15 significant digits) cut the given number of characters
// after the decimal separator.
std::string GeneralCut(double value, int decimals, const NumberFormat& format) {
    // to_chars writes a point whatever the process locale (a window sets the user's).
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    std::string text(buffer, end);
    const auto point = text.find('.');
    if (point == std::string::npos || text.find('e') != std::string::npos)
        return text;
    text[point] = format.decimalSeparator;
    if (text.size() > point + 1 + static_cast<std::size_t>(decimals))
        text.resize(point + 1 + static_cast<std::size_t>(decimals));
    return text;
}

std::string Average(long long total, long long battles, const NumberFormat& format) {
    return FormatTwoDecimals(total, battles, format);
}

struct Units {
    long long base;
    std::string_view separator;
    std::string_view suffix;
};

Units UnitsOf(UnitsForm form) {
    switch (form) {
        case UnitsForm::Minutes:
            return {60, " м ", " с"};
        case UnitsForm::Kilometres:
            return {1000, " км ", " м"};
        case UnitsForm::Thousands:
            break;
    }
    return {1000, " ", ""};
}

// The exact value numerator / denominator (denominator > 0) in units: the whole count of the
// base and the rest, each from the exact value, so the rest is cut once and never from an
// average that was already cut.
std::string UnitsText(long long numerator, long long denominator, UnitsForm form,
                      const NumberFormat& format) {
    const Units units = UnitsOf(form);
    const long long magnitude = numerator < 0 ? -numerator : numerator;
    if (magnitude <= units.base * denominator)
        return FormatTwoDecimals(numerator, denominator, format);
    const long long whole = numerator / (units.base * denominator);
    const long long rest = magnitude - (whole < 0 ? -whole : whole) * units.base * denominator;
    std::string restText = FormatTwoDecimals(rest, denominator, format);
    std::string wholeText = std::to_string(whole);
    if (form == UnitsForm::Thousands) {
        // "12 003", not "12 3": the group below the thousands keeps its three digits, and the
        // thousands are grouped by three as well ("2 049 680").
        const auto digits = restText.find(format.decimalSeparator);
        const std::size_t integerDigits = digits == std::string::npos ? restText.size() : digits;
        if (integerDigits < 3)
            restText.insert(0, 3 - integerDigits, '0');
        wholeText = GroupThousands(whole);
    }
    return wholeText + std::string(units.separator) + restText + std::string(units.suffix);
}

// A decimal text such as "1234,5" as the exact fraction 12345 / 10; nothing when the text is
// no plain decimal number.
std::optional<std::pair<long long, long long>> ExactDecimal(std::string_view text,
                                                            const NumberFormat& format) {
    bool negative = text.starts_with('-');
    if (negative)
        text.remove_prefix(1);
    const auto separator = text.find(format.decimalSeparator);
    const std::string_view whole = text.substr(0, separator);
    const std::string_view fraction =
        separator == std::string_view::npos ? std::string_view() : text.substr(separator + 1);
    auto digits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (whole.empty() || !digits(whole) || !digits(fraction) || whole.size() + fraction.size() > 17)
        return std::nullopt;
    long long numerator = 0, denominator = 1;
    for (char c : whole)
        numerator = numerator * 10 + (c - '0');
    for (char c : fraction) {
        numerator = numerator * 10 + (c - '0');
        denominator *= 10;
    }
    return std::pair{negative ? -numerator : numerator, denominator};
}

std::string FormatUnitsPart(std::string_view part, UnitsForm form, const NumberFormat& format) {
    const auto exact = ExactDecimal(part, format);
    if (!exact)
        return std::string(part);
    return UnitsText(exact->first, exact->second, form, format);
}

}  // namespace

AuthorBattleRead ReadAuthorBattle(const PersonalResults& personal, std::string_view duration,
                                  std::string_view outcome) {
    AuthorBattle battle;
    auto add = [&](std::string_view label, std::string_view key, std::string_view text) {
        const auto value = ParseWholeNumber(text);
        if (value)
            battle.additions[std::string(label)] = *value;
        return value.has_value() ? std::string() : std::string(key);
    };
    for (const KeyedLabel& keyed : kKeyedLabels) {
        if (auto bad = add(keyed.label, keyed.key, personal.Value(keyed.key)); !bad.empty())
            return {std::nullopt, "personal value " + bad + " is not a whole number"};
    }
    for (auto [label, key] :
         {std::pair{"Label_m_ammo", "autoLoadCost"}, std::pair{"Label_m_equip", "autoEquipCost"}}) {
        if (auto bad = add(label, key, FirstListNumber(personal.Value(key))); !bad.empty())
            return {std::nullopt, "personal value " + bad + " is not a whole number"};
    }
    const long long seconds = WholeSeconds(duration);
    battle.additions["Label_m_duration"] = seconds;
    battle.additions["Label_m_battles"] = 1;
    battle.additions["Label_m_wins"] = outcome == "Победа" ? 1 : 0;
    battle.additions["Label_m_survive"] = personal.Value("killerID") == "0" ? 1 : 0;
    if (seconds > 0)
        battle.lifetimePercent = battle.additions["Label_m_lifetime"] * 100.0 / seconds;
    return {std::move(battle), {}};
}

long long AuthorStats::Total(std::string_view label) const {
    const auto found = totals.find(label);
    return found == totals.end() ? 0 : found->second;
}

void AccumulateAuthorStats(AuthorStats& stats, const AuthorBattle& battle) {
    for (const auto& [label, value] : battle.additions)
        stats.totals[label] += value;
    if (battle.lifetimePercent) {
        stats.lifetimePercentSum += *battle.lifetimePercent;
        ++stats.lifetimePercentBattles;
    }
}

void AdditionalFinalize(const AuthorStats& stats, LabelStore& labels, const NumberFormat& format) {
    const long long battles = stats.Total("Label_m_battles");
    if (battles == 0) {
        // Nothing to average over: every label reads "0".
        for (std::string_view name : AuthorStatsLabels())
            labels.Set(name, "0");
        return;
    }
    auto total = [&](std::string_view label) { return stats.Total(label); };
    auto ratio = [&](std::string_view dividend, std::string_view divisor) -> std::string {
        if (total(divisor) == 0)
            return "0";
        return std::to_string(RoundHalfEven(double(total(dividend)) / double(total(divisor))));
    };

    const long long wins = total("Label_m_wins");
    labels.Set("Label_m_wins", std::to_string(wins));
    labels.Set("Label_m_duration", std::to_string(total("Label_m_duration")));
    labels.Set("Label_m_battles", std::to_string(wins) + "/" + std::to_string(battles) + "  (" +
                                      Average(wins * 100, battles, format) + "%)");

    labels.Set("Label_m_accuracy",
               total("Label_m_shots") == 0
                   ? "0"
                   : std::to_string(RoundHalfEven(double(total("Label_m_hits")) * 100 /
                                                  double(total("Label_m_shots")))) +
                         "%");
    // Damage dealt per shot fired; no hit means no damage worth dividing.
    labels.Set("Label_m_dmgpershot",
               total("Label_m_hits") == 0 ? "0" : ratio("Label_m_dmg", "Label_m_shots"));
    labels.Set("Label_m_dmgpergot", ratio("Label_m_dmgrecieved", "Label_m_shotsReceived"));
    labels.Set("Label_m_potencpershot", ratio("Label_m_potentialgot", "Label_m_shotsReceived"));
    labels.Set("Label_m_pottorecieved", total("Label_m_dmgrecieved") == 0
                                            ? "0"
                                            : GeneralCut(double(total("Label_m_potentialgot")) /
                                                             double(total("Label_m_dmgrecieved")),
                                                         3, format));

    const long long profit = total("Label_m_silver") - total("Label_m_ammo") -
                             total("Label_m_repair") - total("Label_m_equip");
    // The mean of the battles' own percentages, over the battles whose duration is known.
    labels.Set(
        "Label_m_lifetimeproc",
        stats.lifetimePercentBattles == 0
            ? "0%"
            : FormatTwoDecimals(stats.lifetimePercentSum / stats.lifetimePercentBattles, format) +
                  "%");
    labels.Set("Label_m_survive", Average(total("Label_m_survive") * 100, battles, format) + "%");

    // Both parts from the exact total: an average is cut once, never cut and read back.
    for (const AveragedLabel& averaged : kAveragedLabels) {
        const long long value = averaged.label == "Label_m_profit" ? profit : total(averaged.label);
        labels.Set(averaged.label, UnitsText(value, 1, averaged.form, format) + " / " +
                                       UnitsText(value, battles, averaged.form, format));
    }
}

std::span<const AuthorStatsRow> AuthorStatsLeftColumn() {
    static constexpr AuthorStatsRow kRows[] = {
        {"Побед/Боев:", "Label_m_battles"},
        {"Выстрелов:", "Label_m_shots"},
        {"Фугасных повреждений:", "Label_m_hehits"},
        {"Попаданий:", "Label_m_hits"},
        {"Точность:", "Label_m_accuracy"},
        {"Пробитий:", "Label_m_pierced"},
        {"Урона нанес:", "Label_m_dmg"},
        {"Средний урон за выстрел:", "Label_m_dmgpershot"},
        {"Урона получил:", "Label_m_dmgrecieved"},
        {"Попаданий получил:", "Label_m_shotsReceived"},
        {"Средн. ур. за получ. попад.:", "Label_m_dmgpergot"},
        {"Потенциального ур.:", "Label_m_potentialgot"},
        {"Сред. потенциал. за попад.:", "Label_m_potencpershot"},
        {"Отношение потенц. урона\nк полученному:", "Label_m_pottorecieved"},
    };
    return kRows;
}

std::span<const AuthorStatsRow> AuthorStatsRightColumn() {
    static constexpr AuthorStatsRow kRows[] = {
        {"Обнаружил:", "Label_m_spotted"},
        {"Насветил:", "Label_m_support"},
        {"Урон по загусл.:", "Label_m_tracks"},
        {"Повредил:", "Label_m_damaged"},
        {"Уничтожил:", "Label_m_killed"},
        {"Очков захвата:", "Label_m_capture"},
        {"Очков защиты:", "Label_m_defend"},
        {"Прожил:", "Label_m_lifetime"},
        {"Прожил % боя:", "Label_m_lifetimeproc"},
        {"Выживаемость:", "Label_m_survive"},
        {"Пробег:", "Label_m_mileage"},
        {"Опыта:", "Label_m_exp", true},
        {"Серебра:", "Label_m_silver"},
        {"Пополнение БК:", "Label_m_ammo"},
        {"Ремонт:", "Label_m_repair"},
        {"Снаряжение:", "Label_m_equip"},
        {"Прибыль:", "Label_m_profit", true},
    };
    return kRows;
}

std::string FormatUnitsLabel(std::string_view text, UnitsForm form, const NumberFormat& format) {
    const auto separator = text.find(" / ");
    if (separator == std::string_view::npos)
        return std::string(text);
    return FormatUnitsPart(text.substr(0, separator), form, format) + " / " +
           FormatUnitsPart(text.substr(separator + 3), form, format);
}

}  // namespace kordex
