#pragma once

#include <string>

#include "export/html_text.h"
#include "series/chart_figure.h"
#include "series/series_charts.h"

namespace kordex {

// The anchor and caption of the page's charts tab.
inline constexpr const char* kChartsAnchor = "chr";
inline constexpr const char* kChartsCaption = "Графики";

// One figure as an inline SVG element scaled to the page's width: no script, no outside file.
// Each point's tip is its title, shown on hovering.
PageLines ChartSvgLines(const ChartFigure& figure);

// The style rules of the charts tab.
void AppendChartStyles(PageLines& lines);

// The tab "Графики": the team and the ranking, then a fold per player with their charts.
void AppendChartsTab(PageLines& lines, const SeriesCharts& charts);

}  // namespace kordex
