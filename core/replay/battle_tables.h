#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kordex {

constexpr int kBattleRows = 30;

// One row per vehicle, 21 text fields; a row whose name (3) or team (6) is empty holds none.
namespace vehicle_field {
enum : int {
    Id = 0,
    Type = 1,
    Alive = 2,
    Name = 3,
    Clan = 5,
    Team = 6,
    Events = 7,
    TeamKiller = 8,
    Kills = 9,
    Xp = 10,
    AccountId = 11,
    ClanId = 12,
    Damage = 13,
    AssistRadio = 14,
    AssistTrack = 15,
    PlatoonId = 16,
    Shots = 17,
    Hits = 18,
    Pierced = 19,
    HeHits = 20,
};
}
constexpr int kVehicleFields = 21;
using VehicleRow = std::array<std::string, kVehicleFields>;
using VehicleTable = std::array<VehicleRow, kBattleRows>;

// One row per member of the results' "players": name, account id, clan id, platoon id.
namespace player_field {
enum : int { Name = 0, AccountId = 1, ClanId = 2, PlatoonId = 3 };
}
using PlayerRow = std::array<std::string, 4>;
using PlayersTable = std::array<PlayerRow, kBattleRows>;

// The recording player's results: one text per key, in the order of the key list, under the
// key name of the replay's version.
struct PersonalValue {
    std::string key;    // as read: the old or the new name
    std::string value;  // ValueText
};
struct PersonalResults {
    std::vector<PersonalValue> values;
    // What the premium factors are divided by: 10, or 100 from the clients that write
    // "premiumCreditsFactor100" in place of "premiumCreditsFactor10".
    int premiumFactorDivisor = 10;
    // The value of a key by its name in clients 9.0 and later (the new name of a pair);
    // empty when it was not read.
    const std::string& Value(std::string_view newName) const;
};

struct CommonResults {
    std::string finishReason;
    std::string arenaCreateTime;
    std::string duration;
    std::string winnerTeam;
    std::string arenaUniqueID;
};

// The tables one replay is read into; emptied before each replay.
struct BattleTables {
    VehicleTable vehicles;
    PlayersTable players;
    // "realName" of each member of "players": the real name of a player who hides it.
    std::array<std::string, kBattleRows> playerRealNames;
    PersonalResults personal;
    CommonResults common;
};

void ResetBattleTables(BattleTables& tables);

}  // namespace kordex
