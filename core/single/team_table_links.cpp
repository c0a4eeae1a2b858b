#include "single/team_table_links.h"

#include "shell/portal_addresses.h"
#include "shell/window_tables.h"

namespace kordex {

std::optional<std::string> TeamTableLinkAddress(const TextGrid& grid, int column, int row) {
    if (row < grid.FixedRows() || row >= grid.RowCount())
        return std::nullopt;
    if (column == 1) {
        const std::string& accountId = grid.Cell(kTeamAccountIdColumn, row);
        if (!accountId.empty())
            return PlayerPageAddress(accountId);
    } else if (column == 2) {
        const std::string& clanId = grid.Cell(kTeamClanIdColumn, row);
        if (!clanId.empty())
            return ClanPageAddress(clanId);
    }
    return std::nullopt;
}

}  // namespace kordex
