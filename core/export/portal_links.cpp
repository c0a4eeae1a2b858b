#include "export/portal_links.h"

namespace kordex {

std::string PlayerPageLink(std::string_view accountId) {
    return std::string(kPortalBase) + "/community/accounts/" + std::string(accountId);
}

std::string PlayerSearchLink(std::string_view playerName) {
    return std::string(kPortalBase) +
           "/community/accounts/#wot&at_search=" + std::string(playerName);
}

std::string ClanPortalPageLink(std::string_view clanId) {
    return std::string(kClanPortalBase) + "/clans/" + std::string(clanId);
}

}  // namespace kordex
