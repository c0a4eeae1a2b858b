#pragma once

#include <string>
#include <string_view>

namespace kordex {

// The game's regional web portals. A player's and a clan's pages are on the portal of the
// region the battle was played in.
enum class PortalRegion { Ru, Eu, Na, Asia };

// Scheme and host of the game's Russian-language web portal (player and clan pages, player
// search) and of the game maker's clan portal; no trailing "/". The region when a replay does
// not say its own.
inline constexpr std::string_view kGamePortalBase = "http://worldoftanks.ru";
inline constexpr std::string_view kClanPortalBase = "http://ru.wargaming.net";

// The region of a replay: by the header's "regionCode" ("RU", "EU", "NA", "ASIA"), or, when
// that is absent or says nothing of a region (a test server's "CT"), by its "serverName"
// ("WOT EU2", "US Central", "WOT ASIA1", "Hong Kong"); the Russian portal when neither says.
PortalRegion PortalRegionOf(std::string_view regionCode, std::string_view serverName);

std::string_view GamePortalBase(PortalRegion region);
std::string_view ClanPortalBase(PortalRegion region);

// The ids and names are inserted as the table cells hold them: player names are Latin letters,
// digits and "_", ids are digits, so nothing needs encoding.
std::string PlayerPageAddress(std::string_view accountId, PortalRegion region = PortalRegion::Ru);
std::string ClanPageAddress(std::string_view clanId, PortalRegion region = PortalRegion::Ru);
std::string PlayerSearchAddress(std::string_view playerName,
                                PortalRegion region = PortalRegion::Ru);
std::string ClanPortalPageAddress(std::string_view clanId, PortalRegion region = PortalRegion::Ru);

}  // namespace kordex
