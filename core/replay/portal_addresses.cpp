#include "replay/portal_addresses.h"

namespace kordex {

namespace {

std::string Join(std::string_view base, std::string_view path, std::string_view tail) {
    std::string address;
    address.reserve(base.size() + path.size() + tail.size());
    address.append(base).append(path).append(tail);
    return address;
}

}  // namespace

std::string PlayerPageAddress(std::string_view accountId) {
    return Join(kGamePortalBase, "/community/accounts/", accountId);
}

std::string ClanPageAddress(std::string_view clanId) {
    return Join(kGamePortalBase, "/community/clans/", clanId);
}

std::string PlayerSearchAddress(std::string_view playerName) {
    return Join(kGamePortalBase, "/community/accounts/#wot&at_search=", playerName);
}

std::string ClanPortalPageAddress(std::string_view clanId) {
    return Join(kClanPortalBase, "/clans/", clanId);
}

}  // namespace kordex
