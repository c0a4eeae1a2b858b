#pragma once

#include <optional>
#include <string>

#include "replay/portal_addresses.h"
#include "tables/text_grid.h"

namespace kordex {

// The web page a double click on a team table cell opens: "Ник" (column 1) opens the player's
// page by the hidden account id (column 12), "Клан" (column 2) the clan's page by the hidden
// clan id (column 11), on the portal of the battle's region. Nothing for the title row, other
// columns, or an empty id.
std::optional<std::string> TeamTableLinkAddress(const TextGrid& grid, int column, int row,
                                                PortalRegion region);

}  // namespace kordex
