#include "replay/version_layout.h"

#include <algorithm>
#include <climits>
#include <iterator>

#include "replay/battle_tables.h"

namespace kordex {

namespace {

// Client 8.11 and the clients before it wrote these keys under their first names.
constexpr KeyRename kFirstNames[] = {
    {"explosionHitsReceived", "heHitsReceived"},
    {"piercingsReceived", "piercedReceived"},
    {"directHitsReceived", "shotsReceived"},
    {"piercings", "pierced"},
    {"directHits", "hits"},
    {"explosionHits", "he_hits"},
    {"damageBlockedByArmor", "potentialDamageReceived"},
    {"directTeamHits", "thits"},
    {"noDamageDirectHitsReceived", "noDamageShotsReceived"},
};

// From 1.5 the premium factors are hundredths.
constexpr KeyRename kHundredthFactors[] = {
    {"premiumCreditsFactor10", "premiumCreditsFactor100"},
    {"premiumXPFactor10", "premiumXPFactor100"},
};

constexpr int kClient0_9_18[] = {0, 9, 18};
constexpr int kClient1_4[] = {1, 4};
constexpr int kClient1_5[] = {1, 5};
constexpr int kClient1_7[] = {1, 7};

// In ascending order of the first client; a later client's layout is one more row. The
// clients that ClientVersionNumber orders have no parts here.
constexpr VersionLayout kLayouts[] = {
    {INT_MIN, {}, false, kFirstNames},
    {812, {}, false, {}},
    {980, {}, true, {}},
    // Training rooms with bots.
    {INT_MAX, kClient0_9_18, true, {}, 10, true},
    // A team killer's flag written as 1 (a real 1.4.0.1 replay); from 1.7 every flag is a number.
    {INT_MAX, kClient1_4, true, {}, 10, true, true},
    {INT_MAX, kClient1_5, true, kHundredthFactors, 100, true, true},
    // The game's name hiding.
    {INT_MAX, kClient1_7, true, kHundredthFactors, 100, true, true, true},
};

bool IsNumberOrderedRow(const VersionLayout& layout) {
    return layout.firstClient.empty();
}

constexpr std::string_view kPersonalKeys[] = {
    "spotted",
    "repair",
    "xpPenalty",
    "creditsPenalty",
    "vehTypeLockTime",
    "damageAssistedTrack",
    "killerID",
    "damageReceived",
    "creditsToDraw",
    "explosionHitsReceived",
    "sniperDamageDealt",
    "piercingsReceived",
    "premiumCreditsFactor10",
    "damageAssistedRadio",
    "directHitsReceived",
    "premiumXPFactor10",
    "serviceProviderID",
    "xp",
    "droppedCapturePoints",
    "creditsContributionIn",
    "eventFreeXP",
    "damaged",
    "autoRepairCost",
    "typeCompDescr",
    "achievementXP",
    "deathReason",
    "capturePoints",
    "aogasFactor10",
    "eventCredits",
    "health",
    "details",
    "achievementCredits",
    "achievements",
    "originalFreeXP",
    "isPremium",
    "mileage",
    "freeXP",
    "kills",
    "eventTMenXP",
    "tkills",
    "team",
    "tmenXP",
    "piercings",
    "credits",
    "eventGold",
    "igrXPFactor10",
    "accountDBID",
    "autoEquipCost",
    "gold",
    "tdamageDealt",
    "markOfMastery",
    "isTeamKiller",
    "directHits",
    "dossierPopUps",
    "eventXP",
    "explosionHits",
    "damageBlockedByArmor",
    "damageDealt",
    "autoLoadCost",
    "originalCredits",
    "dailyXPFactor10",
    "shots",
    "directTeamHits",
    "originalXP",
    "lifeTime",
    "questsProgress",
    "creditsContributionOut",
    "achievementFreeXP",
    // The series' extra key.
    "noDamageDirectHitsReceived",
};
static_assert(std::size(kPersonalKeys) == kSinglePersonalKeyCount + 1);

constexpr ResultsVehicleKey kResultsVehicleKeys[] = {
    {"xp", vehicle_field::Xp},
    {"damageDealt", vehicle_field::Damage},
    {"damageAssistedRadio", vehicle_field::AssistRadio},
    {"damageAssistedTrack", vehicle_field::AssistTrack},
    {"shots", vehicle_field::Shots},
    {"directHits", vehicle_field::Hits},
    {"piercings", vehicle_field::Pierced},
    {"explosionHits", vehicle_field::HeHits},
};

}  // namespace

std::string_view VersionLayout::KeyName(std::string_view current) const {
    for (const KeyRename& rename : renames)
        if (rename.current == current)
            return rename.written;
    return current;
}

const VersionLayout& LayoutOf(int clientVersion) {
    const auto* end =
        std::find_if_not(std::begin(kLayouts), std::end(kLayouts), IsNumberOrderedRow);
    const auto* after = std::upper_bound(
        std::begin(kLayouts), end, clientVersion,
        [](int v, const VersionLayout& layout) { return v < layout.firstVersion; });
    return *std::prev(after);
}

const VersionLayout& LayoutOf(int clientVersion, const ClientTuple& client) {
    if (IsNumberOrderedClient(client))
        return LayoutOf(clientVersion);
    if (client.empty())
        return NewestLayout();
    const VersionLayout* found = nullptr;
    for (const VersionLayout& layout : kLayouts)
        if (!IsNumberOrderedRow(layout) && ReachesClient(client, layout.firstClient))
            found = &layout;
    return found ? *found : NewestLayout();
}

const VersionLayout& NewestLayout() {
    return *std::prev(std::end(kLayouts));
}

std::span<const std::string_view> PersonalKeyNames(bool series) {
    return std::span(kPersonalKeys)
        .first(series ? std::size(kPersonalKeys) : kSinglePersonalKeyCount);
}

std::span<const ResultsVehicleKey> ResultsVehicleKeys() {
    return kResultsVehicleKeys;
}

}  // namespace kordex
