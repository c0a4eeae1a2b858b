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
    const Case cases[] = {
        {PlayerPageAddress, "12345", "http://worldoftanks.ru/community/accounts/12345"},
        {ClanPageAddress, "500012345", "http://worldoftanks.ru/community/clans/500012345"},
        {PlayerSearchAddress, "Tanker_1",
         "http://worldoftanks.ru/community/accounts/#wot&at_search=Tanker_1"},
        // Names go in as the cell holds them, without encoding.
        {PlayerSearchAddress, "Танкист Ёж",
         "http://worldoftanks.ru/community/accounts/#wot&at_search=Танкист Ёж"},
        {PlayerSearchAddress, "", "http://worldoftanks.ru/community/accounts/#wot&at_search="},
        {ClanPortalPageAddress, "500012345", "http://ru.wargaming.net/clans/500012345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.form(c.text), c.address) << c.text;
}

}  // namespace
}  // namespace kordex
