#include "replay/portal_addresses.h"

#include <optional>

namespace kordex {

namespace {

std::string Join(std::string_view base, std::string_view path, std::string_view tail) {
    std::string address;
    address.reserve(base.size() + path.size() + tail.size());
    address.append(base).append(path).append(tail);
    return address;
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::optional<PortalRegion> RegionOfCode(std::string_view regionCode) {
    const std::string code = Upper(regionCode);
    if (code == "RU")
        return PortalRegion::Ru;
    if (code == "EU")
        return PortalRegion::Eu;
    if (code == "NA")
        return PortalRegion::Na;
    if (code == "ASIA" || code == "SEA")
        return PortalRegion::Asia;
    return std::nullopt;
}

// Server names are the realm and a number ("WOT EU2", "WOT RU4", "WOT ASIA1") or, for the
// American realm, the place of the server ("US Central", "South America").
std::optional<PortalRegion> RegionOfServer(std::string_view serverName) {
    const std::string name = Upper(serverName);
    auto has = [&name](std::string_view part) { return name.find(part) != std::string::npos; };
    if (has("RU"))
        return PortalRegion::Ru;
    if (has("EU"))
        return PortalRegion::Eu;
    if (has("NA") || has("US ") || has("AMERICA"))
        return PortalRegion::Na;
    if (has("ASIA") || has("SEA") || has("HONG KONG") || has("SINGAPORE") || has("AUSTRALIA"))
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

std::string_view GamePortalBase(PortalRegion region) {
    switch (region) {
        case PortalRegion::Ru:
            return kGamePortalBase;
        case PortalRegion::Eu:
            return "http://worldoftanks.eu";
        case PortalRegion::Na:
            return "http://worldoftanks.com";
        case PortalRegion::Asia:
            return "http://worldoftanks.asia";
    }
    return kGamePortalBase;
}

std::string_view ClanPortalBase(PortalRegion region) {
    switch (region) {
        case PortalRegion::Ru:
            return kClanPortalBase;
        case PortalRegion::Eu:
            return "http://eu.wargaming.net";
        case PortalRegion::Na:
            return "http://na.wargaming.net";
        case PortalRegion::Asia:
            return "http://asia.wargaming.net";
    }
    return kClanPortalBase;
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
