#pragma once

#include <string>
#include <string_view>

namespace kordex {

// Scheme and host of the game's Russian-language web portal (player and clan pages, player
// search) and of the game maker's clan portal; no trailing "/".
inline constexpr std::string_view kGamePortalBase = "http://worldoftanks.ru";
inline constexpr std::string_view kClanPortalBase = "http://ru.wargaming.net";

// The ids and names are inserted as the table cells hold them: player names are Latin letters,
// digits and "_", ids are digits, so nothing needs encoding.
std::string PlayerPageAddress(std::string_view accountId);
std::string ClanPageAddress(std::string_view clanId);
std::string PlayerSearchAddress(std::string_view playerName);
std::string ClanPortalPageAddress(std::string_view clanId);

}  // namespace kordex
