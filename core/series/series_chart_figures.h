#pragma once

#include <string>
#include <vector>

#include "series/chart_figure.h"
#include "series/series_charts.h"

namespace kordex {

// The colours of the series' measures, the same in the window, the page and the workbook.
inline constexpr Rgb kExperienceColour{31, 119, 180};
inline constexpr Rgb kDamageColour{214, 39, 40};
inline constexpr Rgb kWinRateColour{60, 60, 60};
inline constexpr Rgb kBattlesColour{150, 150, 150};

// The outcome colours of the series tables' outcome cells.
Rgb OutcomeColour(BattleOutcome outcome);

// The battle numbers the charts put under their horizontal axis.
std::vector<std::string> BattleCategories(const SeriesCharts& charts);

// The team across the series: experience and damage per battle as columns in the outcome
// colours, then the running win rate. With fewer than two battles, one message figure.
std::vector<ChartFigure> TeamChartFigures(const SeriesCharts& charts);

// The players by average experience, with the battles each played beside it.
ChartFigure RankingFigure(const SeriesCharts& charts);

// One player's experience and damage per battle, with the player's averages.
std::vector<ChartFigure> PlayerChartFigures(const SeriesCharts& charts, const PlayerCharts& player);

}  // namespace kordex
