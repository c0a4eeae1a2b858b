#pragma once

#include <optional>
#include <string>

#include "tables/text_grid.h"

namespace kordex {

// The web page a double click on a team table cell opens: "Ник" (column 1) opens the player's
// page by the hidden account id (column 11), "Клан" (column 2) the clan's page by the hidden
// clan id (column 10). Nothing for the title row, other columns, or an empty id.
std::optional<std::string> TeamTableLinkAddress(const TextGrid& grid, int column, int row);

}  // namespace kordex
