#include "synthetic_battles.h"

#include <cstdint>
#include <cstdio>
#include <iterator>

#include "support/battle_replay.h"

namespace kordex::test {

namespace {

struct InventedPlayer {
    const char* name;
    const char* clan;
    const char* vehicleType;
};

// The recorder's company: the first one recorded every replay.
constexpr InventedPlayer kCompany[] = {
    {"Игрок01", "ABC", "ussr:Object_140"},
    {"Tanker_02", "ABC", "germany:E-100"},
    {"Снайпер_03", "ABC", "ussr:IS-7"},
    {"Bronya04", "ABC", "usa:T110"},
    {"Медведь_05", "ABC", "germany:Leopard1"},
    {"Shturman06", "ABC", "ussr:T62A"},
    {"Гусь_07", "ABC", "france:AMX_50Fosh_155"},
    {"Rikoshet08", "ABC", "china:Ch41_WZ_111_5A"},
    {"Лесник_09", "ABC", "usa:M48A1"},
    {"Kolobok10", "", "germany:E-50"},
    {"Барсук_11", "ABC", "france:Bat_Chatillon25t"},
    {"Tank_Pilot12", "ABC", "usa:T57_58"},
    {"Ёжик_13", "ABC", "germany:Maus"},
    {"Artillerist14", "ABC", "ussr:T-54"},
    {"Лось_15", "ABC", "germany:E-75"},
    {"Вездеход16", "ABC", "ussr:R90_IS_4M"},
    {"Molot17", "", "usa:M46_Patton"},
    {"Кактус_18", "ABC", "germany:VK4502P"},
};

// The opponents, a new company of clan "XYZ" each evening.
constexpr InventedPlayer kOpponents[] = {
    {"Охотник_21", "XYZ", "ussr:T62A"},
    {"Storm22", "XYZ", "germany:E-100"},
    {"Капитан_23", "XYZ", "ussr:Object_140"},
    {"Panzer_24", "XYZ", "germany:Leopard1"},
    {"Волна25", "XYZ", "usa:T110"},
    {"Orel_26", "XYZ", "france:Bat_Chatillon25t"},
    {"Тигр_27", "XYZ", "ussr:IS-7"},
    {"Frost28", "XYZ", "china:Ch41_WZ_111_5A"},
    {"Рысь_29", "", "usa:M48A1"},
    {"Blitz30", "XYZ", "germany:E-75"},
    {"Сокол_31", "XYZ", "ussr:T-54"},
    {"Granit32", "XYZ", "france:AMX_50Fosh_155"},
    {"Комар_33", "XYZ", "usa:T57_58"},
    {"Vector34", "XYZ", "germany:Maus"},
    {"Шмель_35", "XYZ", "ussr:R90_IS_4M"},
    {"Zenit36", "XYZ", "germany:E-50"},
    {"Барс_37", "XYZ", "usa:M46_Patton"},
};

struct InventedMap {
    const char* name;
    const char* displayName;
    const char* gameplay;
};

constexpr InventedMap kMaps[] = {
    {"04_himmelsdorf", "Химмельсдорф", "ctf"},   {"06_ensk", "Энск", "domination"},
    {"02_malinovka", "Малиновка", "ctf"},        {"05_prohorovka", "Прохоровка", "ctf"},
    {"01_karelia", "Карелия", "assault"},        {"11_murovanka", "Мурованка", "ctf"},
    {"19_monastery", "Монастырь", "domination"}, {"28_desert", "Песчаная река", "ctf"},
};

constexpr int kTeamSize = 15;

// A small fixed sequence, so every picture shows the same battles.
class Dice {
  public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
    int Between(int low, int high) {
        state_ = state_ * 1664525u + 1013904223u;
        return low + static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(high - low + 1));
    }

  private:
    std::uint32_t state_;
};

std::string Text(int value) {
    return std::to_string(value);
}

// Eight battles an evening, from 20:05 one every 13 minutes, an evening a day from 12 March.
struct BattleTime {
    int day;
    int hour;
    int minute;
};

BattleTime TimeOf(int index) {
    const int minutes = 5 + 13 * (index % 8);
    return {12 + index / 8, 20 + minutes / 60, minutes % 60};
}

// Fills one vehicle as a player of a tier-10 company plays: the winners live longer.
void Play(FixtureVehicle& v, const InventedPlayer& player, int accountId, bool won, Dice& dice) {
    v.name = player.name;
    v.clan = player.clan;
    v.vehicleType = player.vehicleType;
    v.accountId = Text(accountId);
    v.clanDBID = player.clan[0] != '\0' ? Text(500000000 + accountId % 977) : "0";
    v.alive = dice.Between(0, 99) < (won ? 60 : 20);
    const int shots = dice.Between(4, 16);
    const int hits = dice.Between(shots / 2, shots);
    const int pierced = dice.Between(hits / 2, hits);
    v.shots = Text(shots);
    v.hits = Text(hits);
    v.pierced = Text(pierced);
    v.heHits = Text(dice.Between(0, 1));
    v.frags = Text(dice.Between(0, won ? 3 : 2));
    v.damage = Text(pierced * dice.Between(280, 420));
    v.assistRadio = Text(dice.Between(0, 6) * dice.Between(50, 260));
    v.assistTrack = Text(dice.Between(0, 3) * dice.Between(40, 300));
    v.xp = Text(dice.Between(200, 450) + pierced * 60 + (won ? 350 : 0));
}

}  // namespace

BattleFixture SyntheticBattle(int index, bool randomBattle) {
    BattleFixture battle(2 * kTeamSize, "0.9.17.1");
    const InventedMap& map = kMaps[static_cast<std::size_t>(index) % std::size(kMaps)];
    battle.SetMap(map.name, map.displayName)
        .SetGameplay(map.gameplay)
        .SetBattleType(randomBattle ? 1 : 3)
        .SetArenaUniqueID(Text(1700000 + index) + "123456789");
    const BattleTime time = TimeOf(index);
    char dateTime[32];
    std::snprintf(dateTime, sizeof dateTime, "%02d.03.2017 %02d:%02d:%02d", time.day, time.hour,
                  time.minute, (17 * index + 9) % 60);
    battle.SetDateTime(dateTime);
    // Won, lost, drawn, won, and again.
    const char* const winners[] = {"1", "2", "0", "1"};
    const std::string winner = winners[index % 4];
    battle.SetWinnerTeam(winner);

    Dice dice(static_cast<std::uint32_t>(index + 1));
    // Three of the company sit out each battle; the recorder never does.
    const int companySize = static_cast<int>(std::size(kCompany));
    int slot = 0;
    for (int p = 0; p < companySize && slot < kTeamSize; ++p) {
        const int restStart = 1 + (3 * index + 6) % (companySize - 1);
        const int fromRest = (p - restStart + companySize - 1) % (companySize - 1);
        if (p != 0 && fromRest < companySize - kTeamSize)
            continue;
        FixtureVehicle& v = battle.Vehicle(slot);
        Play(v, kCompany[p], 41000000 + 7919 * p, winner == "1", dice);
        v.platoonId = p >= 1 && p <= 3 ? "557781" : (p == 4 || p == 5 ? "557790" : "0");
        ++slot;
    }
    const int opponentCount = static_cast<int>(std::size(kOpponents));
    for (int e = 0; e < kTeamSize; ++e) {
        const int p = (e + 2 * index) % opponentCount;
        FixtureVehicle& v = battle.Vehicle(kTeamSize + e);
        Play(v, kOpponents[p], 52000000 + 6007 * p, winner == "2", dice);
        v.platoonId = e < 3 ? "612204" : "0";
    }
    // The recorder's own results, as his personal panel shows them.
    const int credits = 38000 + dice.Between(0, 30000);
    battle.SetRecorder(0)
        .SetPersonal("originalCredits", Text(credits * 2 / 3))
        .SetPersonal("credits", Text(credits))
        .SetPersonal("autoRepairCost", Text(dice.Between(4000, 22000)))
        .SetPersonal("autoLoadCost", "[" + Text(dice.Between(3000, 12000)) + ",0]")
        .SetPersonal("lifeTime", Text(dice.Between(240, 560)))
        .SetPersonal("mileage", Text(dice.Between(900, 3400)))
        .SetPersonal("markOfMastery", Text(dice.Between(0, 4)));
    // A recorder destroyed in the battle names the opponent who did it.
    if (!battle.Vehicle(0).alive)
        battle.SetPersonal("killerID", battle.Vehicle(kTeamSize + 2).vehicleId);
    return battle;
}

std::string WriteSyntheticReplay(const std::string& folder, int index, bool randomBattle) {
    const BattleFixture battle = SyntheticBattle(index, randomBattle);
    const InventedMap& map = kMaps[static_cast<std::size_t>(index) % std::size(kMaps)];
    std::string vehicle = battle.Vehicle(0).vehicleType;
    vehicle[vehicle.find(':')] = '-';
    const BattleTime time = TimeOf(index);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "201703%02d_%02d%02d_", time.day, time.hour, time.minute);
    const std::string path = folder + "/" + stamp + vehicle + "_" + map.name + ".wotreplay";
    WriteBattleReplay(path, battle);
    return path;
}

std::vector<std::string> WriteThreeBattles(const std::string& folder) {
    std::vector<std::string> paths;
    for (int i = 1; i <= 3; ++i) {
        paths.push_back(folder + "/b" + std::to_string(i) + ".wotreplay");
        WriteBattleReplay(paths.back(),
                          BattleFixture(30, "0.9.17.1")
                              .SetDateTime("28.03.2017 16:4" + std::to_string(i) + ":13"));
    }
    return paths;
}

}  // namespace kordex::test
