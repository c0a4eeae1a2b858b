#pragma once

#include <string>
#include <string_view>

namespace kordex {

// The web addresses the exported pages link to. The texts are inserted as given; the pages
// pass them through PercentEncodeAddressPart first.
inline constexpr std::string_view kPortalBase = "http://worldoftanks.ru";
inline constexpr std::string_view kClanPortalBase = "http://ru.wargaming.net";

std::string PlayerPageLink(std::string_view accountId);
std::string PlayerSearchLink(std::string_view playerName);
std::string ClanPortalPageLink(std::string_view clanId);

}  // namespace kordex
