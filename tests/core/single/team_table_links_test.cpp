#include "single/team_table_links.h"

#include <gtest/gtest.h>

#include "replay/portal_addresses.h"
#include "single/team_tables.h"

namespace kordex {
namespace {

TEST(TeamTableLinks, NameAndClanCellsOpenTheirPagesByTheHiddenIds) {
    TextGrid grid = MakeTeamGrid();
    grid.SetRow(1,
                {"", "Player_1", "CLAN", "T-34", "+", "", "", "", "", "", "", "500012", "12345"});
    grid.SetRow(2, {"", "NoClan", "", "T-34", "-", "", "", "", "", "", "", "", "777"});
    grid.SetRow(3, {"", "ZeroClan", "X", "T-34", "-", "", "", "", "", "", "", "0", ""});

    struct Case {
        int column;
        int row;
        std::optional<std::string> address;
    };
    const std::string portal(kGamePortalBase);
    const Case cases[] = {
        {1, 1, portal + "/community/accounts/12345"},
        {2, 1, portal + "/community/clans/500012"},
        {1, 2, portal + "/community/accounts/777"},
        {2, 2, std::nullopt},  // no clan id
        {2, 3, portal + "/community/clans/0"},
        {1, 3, std::nullopt},  // no account id
        {1, 0, std::nullopt},  // the title row
        {3, 1, std::nullopt},  // "Танк"
        {0, 1, std::nullopt},
        {1, 4, std::nullopt},  // an empty body row
        {-1, -1, std::nullopt},
        {1, 16, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TeamTableLinkAddress(grid, c.column, c.row, PortalRegion::Ru), c.address)
            << c.column << "," << c.row;

    // A battle of the European server leads to the European portal.
    EXPECT_EQ(TeamTableLinkAddress(grid, 1, 1, PortalRegion::Eu),
              "http://worldoftanks.eu/community/accounts/12345");
    EXPECT_EQ(TeamTableLinkAddress(grid, 2, 1, PortalRegion::Eu),
              "http://worldoftanks.eu/community/clans/500012");
}

}  // namespace
}  // namespace kordex
