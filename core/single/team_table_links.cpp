#include "single/team_table_links.h"

#include "replay/portal_addresses.h"
#include "single/team_tables.h"

namespace kordex {

std::optional<std::string> TeamTableLinkAddress(const TextGrid& grid, int column, int row,
                                                PortalRegion region) {
    if (row < grid.FixedRows() || row >= grid.RowCount())
        return std::nullopt;
    if (column == team_column::Name) {
        const std::string& accountId = grid.Cell(team_column::AccountId, row);
        if (!accountId.empty())
            return PlayerPageAddress(accountId, region);
    } else if (column == team_column::Clan) {
        const std::string& clanId = grid.Cell(team_column::ClanId, row);
        if (!clanId.empty())
            return ClanPageAddress(clanId, region);
    }
    return std::nullopt;
}

}  // namespace kordex
