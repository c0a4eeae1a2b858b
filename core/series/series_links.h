#pragma once

#include <string>

#include "replay/portal_addresses.h"
#include "series/series_tables.h"
#include "tables/text_grid.h"

namespace kordex {

// What a double click on a cell of a series table opens: a player's name (column 0 of a body
// row) the portal's player search; a header cell of a battle column that battle in the single
// view, unless the battle was left early ("Вышел"). Anything else opens nothing.
struct SeriesCellLink {
    enum class Kind { None, PlayerSearch, Battle };
    Kind kind = Kind::None;
    std::string target;  // the web address, or the replay's path

    bool operator==(const SeriesCellLink&) const = default;
};

// The player search is on the portal of the series' region.
SeriesCellLink SeriesTableLink(const TextGrid& grid, const RunList& runList, int column, int row,
                               PortalRegion region = PortalRegion::Ru);

}  // namespace kordex
