#pragma once

#include <string_view>

#include "series/series_tables.h"
#include "single/label_store.h"
#include "tables/text_grid.h"

namespace kordex {

// The five series grids an export reads, in the order of the page's tabs and the workbook's
// sheets; the window and the CLI point them at their series store.
struct ExportTables {
    TextGrid& exp;
    TextGrid& frags;
    TextGrid& damage;
    TextGrid& support;
    TextGrid& shots;
    // The summary "Итого", and the author's statistics when the last run collected them; the
    // page shows each on a tab of its own when it is given.
    const TextGrid* summary = nullptr;
    const LabelStore* authorStats = nullptr;
    // The portal of the players' search links.
    PortalRegion region = PortalRegion::Ru;
};

inline constexpr std::string_view kEmptyTableMessage = "Таблица пуста.";

// True when the experience table holds no player: its first body row has no vehicle cell.
bool IsSeriesEmpty(const TextGrid& exp);

// Empties the sort hint in row 1, wherever the totals column stands. Only the hint is
// touched: with the totals moved to the front the second-to-last column holds a battle's map.
void ClearSortHint(TextGrid& table);

}  // namespace kordex
