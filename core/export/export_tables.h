#pragma once

#include <string_view>

#include "series/series_tables.h"
#include "tables/text_grid.h"

namespace kordex {

inline constexpr std::string_view kEmptyTableMessage = "Таблица пуста.";

// True when the experience table holds no player: its first body row has no vehicle cell.
bool IsSeriesEmpty(const TextGrid& exp);

// Empties the sort hint in row 1, wherever the totals column stands. Only the hint is
// touched: with the totals moved to the front the second-to-last column holds a battle's map.
void ClearSortHint(TextGrid& table);

}  // namespace kordex
