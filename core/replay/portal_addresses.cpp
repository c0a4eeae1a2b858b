#include "replay/portal_addresses.h"

#include <optional>
#include <utility>

#include "text/letter_case.h"

namespace kordex {

namespace {

std::string Join(std::string_view base, std::string_view path, std::string_view tail) {
    std::string address;
    address.reserve(base.size() + path.size() + tail.size());
    address.append(base).append(path).append(tail);
    return address;
}

std::optional<PortalRegion> RegionOfCode(std::string_view regionCode) {
    for (const auto& [code, region] :
         {std::pair{"RU", PortalRegion::Ru}, std::pair{"EU", PortalRegion::Eu},
          std::pair{"NA", PortalRegion::Na}, std::pair{"ASIA", PortalRegion::Asia},
          std::pair{"SEA", PortalRegion::Asia}})
        if (EqualIgnoringCase(regionCode, code))
            return region;
    return std::nullopt;
}

// Server names are the realm and a number ("WOT EU2", "WOT RU4", "WOT ASIA1") or, for the
// American realm, the place of the server ("US Central", "South America").
std::optional<PortalRegion> RegionOfServer(std::string_view serverName) {
    const std::string name = FoldLetterCase(serverName);
    auto has = [&name](std::string_view part) { return name.find(part) != std::string::npos; };
    if (has("ru"))
        return PortalRegion::Ru;
    if (has("eu"))
        return PortalRegion::Eu;
    if (has("na") || has("us ") || has("america"))
        return PortalRegion::Na;
    if (has("asia") || has("sea") || has("hong kong") || has("singapore") || has("australia"))
        return PortalRegion::Asia;
    return std::nullopt;
}

}  // namespace

PortalRegion PortalRegionOf(std::string_view regionCode, std::string_view serverName) {
    if (const auto region = RegionOfCode(regionCode))
        return *region;
    if (const auto region = RegionOfServer(serverName))
        return *region;
    return PortalRegion::Ru;
}

namespace {

// The game's portal and the clans' portal of each region.
struct PortalBases {
    std::string_view game;
    std::string_view clans;
};

PortalBases BasesOf(PortalRegion region) {
    switch (region) {
        case PortalRegion::Ru:
            break;
        case PortalRegion::Eu:
            return {"http://worldoftanks.eu", "http://eu.wargaming.net"};
        case PortalRegion::Na:
            return {"http://worldoftanks.com", "http://na.wargaming.net"};
        case PortalRegion::Asia:
            return {"http://worldoftanks.asia", "http://asia.wargaming.net"};
    }
    return {kGamePortalBase, kClanPortalBase};
}

}  // namespace

std::string_view GamePortalBase(PortalRegion region) {
    return BasesOf(region).game;
}

std::string_view ClanPortalBase(PortalRegion region) {
    return BasesOf(region).clans;
}

std::string PlayerPageAddress(std::string_view accountId, PortalRegion region) {
    return Join(GamePortalBase(region), "/community/accounts/", accountId);
}

std::string ClanPageAddress(std::string_view clanId, PortalRegion region) {
    return Join(GamePortalBase(region), "/community/clans/", clanId);
}

std::string PlayerSearchAddress(std::string_view playerName, PortalRegion region) {
    return Join(GamePortalBase(region), "/community/accounts/#wot&at_search=", playerName);
}

std::string ClanPortalPageAddress(std::string_view clanId, PortalRegion region) {
    return Join(ClanPortalBase(region), "/clans/", clanId);
}

}  // namespace kordex
