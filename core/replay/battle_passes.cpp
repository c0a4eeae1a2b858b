#include "replay/battle_passes.h"

#include <algorithm>
#include <array>
#include <utility>

#include "replay/json.h"
#include "replay/version_layout.h"

namespace kordex {

namespace {

namespace vf = vehicle_field;

PassResult Fail(PassStatus status, std::string description) {
    return {status, std::move(description)};
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// A whole text that does not parse, or parses to something other than an object.
PassResult TextFailure(const ParsedObject& parsed, std::string_view what) {
    if (parsed.status == JsonStatus::NotJson)
        return Fail(PassStatus::NotJson, std::string(what) + ": не JSON");
    return Fail(PassStatus::Failure, std::string(what) + ": не объект JSON");
}

// A member of a per-vehicle object that is not an object.
PassResult MemberFailure(const ParsedObject& parsed, std::string_view what, std::string_view key) {
    std::string where = std::string(what) + ", " + Quoted(key);
    if (parsed.status == JsonStatus::NotJson)
        return Fail(PassStatus::NoObject, where + ": не JSON");
    return Fail(PassStatus::Failure, where + ": не объект JSON");
}

PassResult MissingKey(std::string_view what, std::string_view key) {
    return Fail(PassStatus::Failure, std::string(what) + ": нет ключа " + Quoted(key));
}

PassResult TooManyMembers(std::string_view what) {
    return Fail(PassStatus::Failure,
                std::string(what) + ": больше " + std::to_string(kBattleRows) + " членов");
}

// The row whose vehicle id the results pass wrote, or the row at that position when no row
// holds the id: some clan battle replays list the frags in another order, and not every vehicle.
VehicleRow& RowOfVehicle(VehicleTable& vehicles, const std::string& id, std::size_t position) {
    for (VehicleRow& row : vehicles)
        if (!id.empty() && row[vf::Id] == id)
            return row;
    return vehicles[position];
}

// Clients from 1.7 write the flags as 0 and 1; the tables hold them as the words of before.
std::string FlagText(std::string value, int field, const VersionLayout& layout) {
    if (!layout.numericFlags || (field != vf::Alive && field != vf::TeamKiller))
        return value;
    if (value == "0")
        return "false";
    if (value == "1")
        return "true";
    return value;
}

// Puts the rows into the order of the results' vehicles, each row moving with its vehicle id;
// a row whose id the results do not name stays at its position when that is free. Replays of
// 9.18 and later list the header's vehicles in another order than the results, and clan
// battles list only one team in the header.
void OrderRowsByResults(VehicleTable& vehicles, const JsonObject& results) {
    const std::size_t count = std::min<std::size_t>(results.MemberCount(), kBattleRows);
    const VehicleTable old = vehicles;
    std::array<bool, kBattleRows> placed{}, used{};
    for (std::size_t i = 0; i < count; ++i) {
        const std::string id = StripQuotes(results.Key(i));
        for (std::size_t j = 0; j < old.size(); ++j)
            if (!used[j] && !id.empty() && old[j][vf::Id] == id) {
                vehicles[i] = old[j];
                placed[i] = used[j] = true;
                break;
            }
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (placed[i])
            continue;
        vehicles[i] = used[i] ? VehicleRow{} : old[i];
        used[i] = true;
    }
    // Vehicles of the header that the results do not list follow in their order.
    std::size_t next = count;
    for (std::size_t j = 0; j < old.size() && next < vehicles.size(); ++j)
        if (!used[j])
            vehicles[next++] = old[j];
    for (; next < vehicles.size(); ++next)
        vehicles[next] = VehicleRow{};
}

constexpr std::pair<std::string_view, int> kIdentityKeys[] = {
    {"vehicleType", vf::Type},        {"isAlive", vf::Alive}, {"name", vf::Name},
    {"clanAbbrev", vf::Clan},         {"team", vf::Team},     {"events", vf::Events},
    {"isTeamKiller", vf::TeamKiller},
};

PassResult ReadPersonal(const JsonObject& results, const VersionLayout& layout, PersonalKeys keys,
                        PersonalResults& personal) {
    ParsedObject object = ObjectOf(results, "personal");
    if (object.status == JsonStatus::MissingKey)
        return MissingKey("результаты", "personal");
    if (!object.Ok())
        return TextFailure(object, "результаты, \"personal\"");
    // From 9.8 on the personal results stand one level deeper, keyed by the vehicle type.
    if (layout.wrapped) {
        if (object.object.MemberCount() == 0)
            return Fail(PassStatus::Failure, "результаты, \"personal\": пустой объект");
        std::string typeKey = object.object.Key(0);
        object = ObjectAt(object.object, 0);
        if (!object.Ok())
            return TextFailure(object, "результаты, \"personal\", " + Quoted(typeKey));
    }
    for (std::string_view key : PersonalKeyNames(keys == PersonalKeys::Series)) {
        std::string_view name = layout.KeyName(key);
        auto value = object.object.ValueText(name);
        if (!value)
            return MissingKey("личные результаты", name);
        personal.values.push_back({std::string(name), std::move(*value)});
    }
    return {};
}

PassResult ReadPlayers(const JsonObject& results, PlayersTable& players,
                       std::array<std::string, kBattleRows>& realNames) {
    ParsedObject all = ObjectOf(results, "players");
    if (all.status == JsonStatus::MissingKey)
        return MissingKey("результаты", "players");
    if (!all.Ok())
        return TextFailure(all, "результаты, \"players\"");
    namespace pf = player_field;
    for (std::size_t i = 0; i < all.object.MemberCount(); ++i) {
        if (i >= kBattleRows)
            return TooManyMembers("результаты, \"players\"");
        PlayerRow& row = players[i];
        std::string key = all.object.Key(i);
        row[pf::AccountId] = StripQuotes(key);
        ParsedObject player = ObjectAt(all.object, i);
        if (player.status == JsonStatus::NotJson)
            continue;  // the row keeps only its account id
        if (!player.Ok())
            return MemberFailure(player, "результаты, \"players\"", key);
        for (auto [name, field] : {std::pair{"name", pf::Name}, std::pair{"clanDBID", pf::ClanId},
                                   std::pair{"prebattleID", pf::PlatoonId}}) {
            auto value = player.object.ValueText(name);
            if (!value)
                return MissingKey("игрок " + Quoted(key), name);
            row[static_cast<std::size_t>(field)] = std::move(*value);
        }
        if (auto realName = player.object.ValueText("realName"))
            realNames[i] = std::move(*realName);
    }
    return {};
}

// The object of a results vehicle. From 9.8 on it is the one element of an array: the text
// loses its first and last character, the brackets, before it is parsed.
ParsedObject ResultsVehicleObject(const JsonObject& vehicles, std::size_t i,
                                  const VersionLayout& layout) {
    if (!layout.wrapped)
        return ObjectAt(vehicles, i);
    std::string text = vehicles.MemberTextAt(i);
    std::string_view inner =
        text.size() >= 2 ? std::string_view(text).substr(1, text.size() - 2) : std::string_view();
    return ParseObject(inner);
}

PassResult ReadResultsVehicles(const JsonObject& results, const VersionLayout& layout,
                               VehicleTable& vehicles) {
    ParsedObject all = ObjectOf(results, "vehicles");
    if (all.status == JsonStatus::MissingKey)
        return MissingKey("результаты", "vehicles");
    if (!all.Ok())
        return TextFailure(all, "результаты, \"vehicles\"");
    OrderRowsByResults(vehicles, all.object);
    for (std::size_t i = 0; i < all.object.MemberCount(); ++i) {
        if (i >= kBattleRows)
            return TooManyMembers("результаты, \"vehicles\"");
        VehicleRow& row = vehicles[i];
        std::string key = all.object.Key(i);
        row[vf::Id] = StripQuotes(key);
        ParsedObject vehicle = ResultsVehicleObject(all.object, i, layout);
        if (vehicle.status == JsonStatus::NotJson)
            continue;  // the row keeps what the header pass put there
        if (!vehicle.Ok())
            return MemberFailure(vehicle, "результаты, \"vehicles\"", key);
        for (const ResultsVehicleKey& field : ResultsVehicleKeys()) {
            std::string_view name = layout.KeyName(field.current);
            auto value = vehicle.object.ValueText(name);
            if (!value)
                return MissingKey("результаты машины " + Quoted(key), name);
            row[static_cast<std::size_t>(field.field)] = std::move(*value);
        }
    }
    return {};
}

PassResult ReadCommon(const JsonObject& results, CommonResults& common) {
    ParsedObject object = ObjectOf(results, "common");
    if (object.status == JsonStatus::MissingKey)
        return MissingKey("результаты", "common");
    if (!object.Ok())
        return TextFailure(object, "результаты, \"common\"");
    for (auto [name, field] : {std::pair{"finishReason", &CommonResults::finishReason},
                               std::pair{"arenaCreateTime", &CommonResults::arenaCreateTime},
                               std::pair{"duration", &CommonResults::duration},
                               std::pair{"winnerTeam", &CommonResults::winnerTeam}}) {
        auto value = object.object.ValueText(name);
        if (!value)
            return MissingKey("общие результаты", name);
        common.*field = std::move(*value);
    }
    auto arena = results.ValueText("arenaUniqueID");
    if (!arena)
        return MissingKey("результаты", "arenaUniqueID");
    common.arenaUniqueID = std::move(*arena);
    return {};
}

}  // namespace

PassResult VehiclesPass(std::string_view memberText, VehicleTable& vehicles,
                        const VersionLayout& layout) {
    constexpr std::string_view kWhat = "список машин";
    ParsedObject all = ParseObject(memberText);
    if (!all.Ok())
        return TextFailure(all, kWhat);
    for (std::size_t i = 0; i < all.object.MemberCount(); ++i) {
        if (i >= kBattleRows)
            return TooManyMembers(kWhat);
        std::string key = all.object.Key(i);
        VehicleRow& row = RowOfVehicle(vehicles, StripQuotes(key), i);
        row[vf::Id] = StripQuotes(key);
        ParsedObject vehicle = ObjectAt(all.object, i);
        if (!vehicle.Ok())
            return MemberFailure(vehicle, kWhat, key);
        for (auto [name, field] : kIdentityKeys) {
            auto value = vehicle.object.ValueText(name);
            if (!value)
                return MissingKey("машина " + Quoted(key), name);
            row[static_cast<std::size_t>(field)] = FlagText(std::move(*value), field, layout);
        }
    }
    return {};
}

PassResult ResultsPass(std::string_view resultsBlock, int clientVersion, PersonalKeys keys,
                       BattleTables& tables) {
    return ResultsPass(resultsBlock, LayoutOf(clientVersion), keys, tables);
}

PassResult ResultsPass(std::string_view resultsBlock, const VersionLayout& layout,
                       PersonalKeys keys, BattleTables& tables) {
    ParsedObject results = ParseObject(resultsBlock);
    if (!results.Ok())
        return TextFailure(results, "результаты");
    tables.personal.premiumFactorDivisor = layout.premiumFactorDivisor;
    if (auto r = ReadPersonal(results.object, layout, keys, tables.personal); !r.Ok())
        return r;
    if (auto r = ReadPlayers(results.object, tables.players, tables.playerRealNames); !r.Ok())
        return r;
    if (auto r = ReadResultsVehicles(results.object, layout, tables.vehicles); !r.Ok())
        return r;
    return ReadCommon(results.object, tables.common);
}

PassResult FragsPass(std::string_view fragsBlock, VehicleTable& vehicles) {
    constexpr std::string_view kWhat = "фраги";
    ParsedObject all = ParseObject(fragsBlock);
    if (!all.Ok())
        return TextFailure(all, kWhat);
    for (std::size_t i = 0; i < all.object.MemberCount(); ++i) {
        if (i >= kBattleRows)
            return TooManyMembers(kWhat);
        std::string key = all.object.Key(i);
        ParsedObject vehicle = ObjectAt(all.object, i);
        if (!vehicle.Ok())
            return MemberFailure(vehicle, kWhat, key);
        auto frags = vehicle.object.ValueText("frags");
        if (!frags)
            return MissingKey("фраги машины " + Quoted(key), "frags");
        RowOfVehicle(vehicles, StripQuotes(key), i)[vf::Kills] =
            frags->empty() ? "0" : std::move(*frags);
    }
    return {};
}

PassResult JoinPlayers(BattleTables& tables, JoinForm form, const VersionLayout& layout) {
    namespace pf = player_field;
    for (VehicleRow& row : tables.vehicles) {
        const std::string& name = row[vf::Name];
        if (name.empty())
            continue;
        // The first player of that name, as the names are the only link between the tables. A
        // player hiding their name keeps the real one in the vehicles and in "realName".
        const PlayerRow* player = nullptr;
        for (std::size_t i = 0; i < tables.players.size() && !player; ++i)
            if (tables.players[i][pf::Name] == name ||
                (layout.hiddenNames && tables.playerRealNames[i] == name))
                player = &tables.players[i];
        // A bot of a training room has no player; its ids stay empty.
        if (!player && layout.playerlessVehicles)
            continue;
        if (!player)
            return Fail(PassStatus::Failure, "игрок " + Quoted(name) + " не найден в \"players\"");
        row[vf::AccountId] = (*player)[pf::AccountId];
        row[vf::ClanId] = (*player)[pf::ClanId];
        if (form == JoinForm::Single)
            row[vf::PlatoonId] = (*player)[pf::PlatoonId];
    }
    return {};
}

}  // namespace kordex
