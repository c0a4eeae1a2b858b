#pragma once

#include <string_view>

#include "series/series_charts.h"
#include "tables/text_grid.h"

struct lxw_workbook;

namespace kordex {

inline constexpr std::string_view kChartsSheetName = "Графики";

// Adds the sheet "Графики": a data block whose formulas read the sheets "Опыт" and "Урон" (team
// sums per battle, running win rate, each player's average and battles), and native charts over
// it and over the players' rows of those sheets, so the charts follow the numbers when the
// officer edits them. The formulas carry the values of the charts as their results, for
// readers that do not recalculate. Throws KordexError when the sheet cannot be written.
void AddChartsSheet(lxw_workbook* workbook, const SeriesCharts& charts, const TextGrid& exp);

}  // namespace kordex
