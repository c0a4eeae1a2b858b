#include "replay/battle_tables.h"

#include <algorithm>

#include "replay/version_layout.h"

namespace kordex {

void ResetBattleTables(BattleTables& tables) {
    for (auto& row : tables.vehicles)
        row.fill({});
    for (auto& row : tables.players)
        row.fill({});
    for (auto& name : tables.playerRealNames)
        name.clear();
    tables.personal.values.clear();
    tables.personal.premiumFactorDivisor = 10;
    tables.common = {};
}

const std::string& PersonalResults::Value(std::string_view newName) const {
    static const std::string kEmpty;
    // The values stand in the order of the key list whatever names the replay used.
    auto keys = PersonalKeyNames(true);
    auto at = std::find(keys.begin(), keys.end(), newName);
    auto index = static_cast<std::size_t>(at - keys.begin());
    if (at == keys.end() || index >= values.size())
        return kEmpty;
    return values[index].value;
}

}  // namespace kordex
