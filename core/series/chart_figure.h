#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tables/cell_style.h"

namespace kordex {

// A chart as plain figures on a canvas of its own size, in pixels from the top-left corner.
// The window paints them with its painter and the page writes them as SVG, so both show the
// same scales, points and colours.
struct ChartPoint {
    double x = 0;
    double y = 0;

    bool operator==(const ChartPoint&) const = default;
};

struct ChartLine {
    ChartPoint from;
    ChartPoint to;
    Rgb colour;
    double width = 1;
    bool dashed = false;

    bool operator==(const ChartLine&) const = default;
};

// A line through the points, unbroken; a gap in the data starts a new path.
struct ChartPath {
    std::vector<ChartPoint> points;
    Rgb colour;
    double width = 2;

    bool operator==(const ChartPath&) const = default;
};

struct ChartDot {
    ChartPoint centre;
    double radius = 3.5;
    Rgb fill;
    std::string tip;  // what the point stands for, shown on hovering where that exists

    bool operator==(const ChartDot&) const = default;
};

struct ChartBox {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    Rgb fill;
    std::optional<Rgb> outline;
    std::string tip;

    bool operator==(const ChartBox&) const = default;
};

enum class TextAnchor { Start, Middle, End };

// A line of text whose baseline passes through `at`.
struct ChartLabel {
    ChartPoint at;
    std::string text;
    double size = 11;
    Rgb colour{0, 0, 0};
    TextAnchor anchor = TextAnchor::Start;
    bool bold = false;

    bool operator==(const ChartLabel&) const = default;
};

// Drawn in the order boxes, lines, paths, dots, labels.
struct ChartFigure {
    std::string title;
    double width = 0;
    double height = 0;
    std::vector<ChartBox> boxes;
    std::vector<ChartLine> lines;
    std::vector<ChartPath> paths;
    std::vector<ChartDot> dots;
    std::vector<ChartLabel> labels;

    bool operator==(const ChartFigure&) const = default;
};

// Tick values of a value axis from 0: a round step (1, 2 or 5 times a power of ten) and a top
// at or above `maximum`, about five steps apart.
std::vector<double> AxisTicks(double maximum);

// One series of a line chart: a value per category, nothing for a gap.
struct LineSeries {
    std::vector<std::optional<double>> values;
    Rgb colour;
    std::vector<Rgb> dotColours;    // per value; empty: the line's colour
    std::vector<std::string> tips;  // per value
    std::optional<double> average;  // drawn as a flat dashed line
};

// A line chart over categories (battle numbers on the horizontal axis). `top` fixes the upper
// end of the value axis (100 for a percentage); otherwise it follows the values.
ChartFigure LineChartFigure(const std::string& title, const std::vector<std::string>& categories,
                            const std::vector<LineSeries>& series,
                            std::optional<double> top = std::nullopt);

// A column per category, each with its own fill.
ChartFigure ColumnChartFigure(const std::string& title, const std::vector<std::string>& categories,
                              const std::vector<double>& values, const std::vector<Rgb>& fills,
                              const std::vector<std::string>& tips);

// One bar panel of a ranking: a value per row, with its heading.
struct BarPanel {
    std::string heading;
    std::vector<double> values;
    std::vector<std::string> valueTexts;
    Rgb fill;
};

// Horizontal bars, a row per name, panels side by side so the rows read across.
ChartFigure RankingChartFigure(const std::string& title, const std::vector<std::string>& names,
                               const std::vector<BarPanel>& panels);

// A figure holding only a message, where a chart has nothing to draw.
ChartFigure MessageFigure(const std::string& title, const std::string& message);

}  // namespace kordex
