#include "replay/portal_addresses.h"

#include <gtest/gtest.h>

#include <functional>

namespace kordex {
namespace {

TEST(PortalAddresses, BuildEachFormFromItsBase) {
    struct Case {
        std::function<std::string(std::string_view)> form;
        const char* text;
        const char* address;
    };
    auto player = [](std::string_view id) { return PlayerPageAddress(id); };
    auto clan = [](std::string_view id) { return ClanPageAddress(id); };
    auto search = [](std::string_view name) { return PlayerSearchAddress(name); };
    auto clanPortal = [](std::string_view id) { return ClanPortalPageAddress(id); };
    const Case cases[] = {
        {player, "12345", "http://worldoftanks.ru/community/accounts/12345"},
        {clan, "500012345", "http://worldoftanks.ru/community/clans/500012345"},
        {search, "Tanker_1", "http://worldoftanks.ru/community/accounts/#wot&at_search=Tanker_1"},
        // Names go in as the cell holds them, without encoding.
        {search, "Танкист Ёж",
         "http://worldoftanks.ru/community/accounts/#wot&at_search=Танкист Ёж"},
        {search, "", "http://worldoftanks.ru/community/accounts/#wot&at_search="},
        {clanPortal, "500012345", "http://ru.wargaming.net/clans/500012345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.form(c.text), c.address) << c.text;
}

// The player's own region: the header's region code first, then its server name, else Russia.
TEST(PortalAddresses, TheRegionComesFromTheReplaysHeader) {
    struct Case {
        const char* regionCode;
        const char* serverName;
        PortalRegion region;
    };
    const Case cases[] = {
        {"EU", "WOT EU2", PortalRegion::Eu},
        {"NA", "", PortalRegion::Na},
        {"ASIA", "WOT ASIA1", PortalRegion::Asia},
        {"RU", "WOT EU1", PortalRegion::Ru},  // the code wins
        {"", "WOT EU1", PortalRegion::Eu},
        {"", "WOT RU4", PortalRegion::Ru},
        {"", "US Central", PortalRegion::Na},
        {"", "South America", PortalRegion::Na},
        {"", "Hong Kong", PortalRegion::Asia},
        {"CT", "W.o.T. Common Test1", PortalRegion::Ru},
        {"", "W.o.T.", PortalRegion::Ru},
        {"", "", PortalRegion::Ru},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PortalRegionOf(c.regionCode, c.serverName), c.region)
            << c.regionCode << " / " << c.serverName;

    EXPECT_EQ(PlayerPageAddress("12345", PortalRegion::Eu),
              "http://worldoftanks.eu/community/accounts/12345");
    EXPECT_EQ(ClanPageAddress("7", PortalRegion::Na), "http://worldoftanks.com/community/clans/7");
    EXPECT_EQ(PlayerSearchAddress("Tanker_1", PortalRegion::Asia),
              "http://worldoftanks.asia/community/accounts/#wot&at_search=Tanker_1");
    EXPECT_EQ(ClanPortalPageAddress("7", PortalRegion::Eu), "http://eu.wargaming.net/clans/7");
}

}  // namespace
}  // namespace kordex
