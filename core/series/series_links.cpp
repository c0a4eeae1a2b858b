#include "series/series_links.h"

#include "replay/portal_addresses.h"

namespace kordex {

namespace {

constexpr int kOutcomeRow = 2;
constexpr const char* kLeftEarly = "Вышел";

}  // namespace

SeriesCellLink SeriesTableLink(const TextGrid& grid, const RunList& runList, int column, int row,
                               PortalRegion region) {
    if (row < 0 || row >= grid.RowCount() || column < 0 || column >= grid.ColumnCount())
        return {};
    if (row >= grid.FixedRows()) {
        const std::string& name = grid.Cell(column, row);
        if (column == 0 && !name.empty())
            return {SeriesCellLink::Kind::PlayerSearch, PlayerSearchAddress(name, region)};
        return {};
    }
    if (grid.Cell(column, kOutcomeRow) == kLeftEarly)
        return {};
    if (std::optional<int> index = BattleReplayIndex(grid, runList, column))
        return {SeriesCellLink::Kind::Battle, runList.At(*index)};
    return {};
}

}  // namespace kordex
