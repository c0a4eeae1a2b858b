#include "tables/label_store.h"

#include <algorithm>

namespace kordex {

void LabelStore::Set(std::string_view name, std::string text) {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [name](const auto& entry) { return entry.first == name; });
    if (found != entries_.end())
        found->second = std::move(text);
    else
        entries_.emplace_back(std::string(name), std::move(text));
}

const std::string& LabelStore::Text(std::string_view name) const {
    static const std::string kEmpty;
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [name](const auto& entry) { return entry.first == name; });
    return found != entries_.end() ? found->second : kEmpty;
}

bool LabelStore::Has(std::string_view name) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [name](const auto& entry) { return entry.first == name; });
}

const std::vector<std::string_view>& PersonalPanelLabels() {
    static const std::vector<std::string_view> kLabels = {
        // Left column.
        "Label_shots",
        "Label_hits",
        "Label_he_hits",
        "Label_pierced",
        "Label_damageDealt",
        "Label_shotsReceived",
        "Label_damageReceived",
        "Label_spotted",
        "Label_damageAssistedRadio",
        "Label_damageAssistedTrack",
        "Label_damaged",
        "Label_kills",
        "Label_capturePoints",
        "Label_droppedCapturePoints",
        "Label_lifetime_duration",
        "Label_mileage",
        "Label_killerID",
        // Right column.
        "Label_premium",
        "Label_xp",
        "Label_xpPenalty",
        "Label_freeXp",
        "Label_credits",
        "Label_creditsPenalty",
        "Label_creditsContributionIn",
        "Label_autoRepairCost",
        "Label_autoLoadCost",
        "Label_autoEquipCost",
        "Label_silverSumm",
        // Never shown.
        "Label_arenaCreateTime",
        "Label_heroVehicleIDs",
        "Label_arenaTypeID",
        "Label_achieveIndices",
    };
    return kLabels;
}

const std::vector<std::string_view>& BattleLabels() {
    static const std::vector<std::string_view> kLabels = {
        "Label_Map", "Label_Time", "Label_replayVersionXml", "Label_isWinner", "lb_battleType",
    };
    return kLabels;
}

const std::vector<std::string_view>& AuthorStatsLabels() {
    static const std::vector<std::string_view> kLabels = {
        "Label_m_battles",       "Label_m_shots",         "Label_m_dmg",
        "Label_m_accuracy",      "Label_m_dmgrecieved",   "Label_m_dmgpershot",
        "Label_m_shotsReceived", "Label_m_potentialgot",  "Label_m_dmgpergot",
        "Label_m_potencpershot", "Label_m_pottorecieved", "Label_m_spotted",
        "Label_m_profit",        "Label_m_exp",           "Label_m_lifetime",
        "Label_m_defend",        "Label_m_survive",       "Label_m_lifetimeproc",
        "Label_m_capture",       "Label_m_equip",         "Label_m_repair",
        "Label_m_ammo",          "Label_m_silver",        "Label_m_support",
        "Label_m_tracks",        "Label_m_killed",        "Label_m_damaged",
        "Label_m_mileage",       "Label_m_duration",      "Label_m_pierced",
        "Label_m_hits",          "Label_m_wins",          "Label_m_hehits",
    };
    return kLabels;
}

void ZeroLables(LabelStore& labels) {
    for (auto name : PersonalPanelLabels())
        labels.Set(name, "0");
    for (auto name : BattleLabels())
        labels.Set(name, "");
    for (auto name : AuthorStatsLabels())
        labels.Set(name, "0");
}

}  // namespace kordex
