#include "series/chart_figure.h"

#include <algorithm>
#include <cmath>

namespace kordex {

namespace {

constexpr double kWidth = 600;
constexpr double kHeight = 240;
constexpr double kLeft = 56;
constexpr double kRight = 16;
constexpr double kTop = 32;
constexpr double kBottom = 30;
constexpr double kTitleBaseline = 18;
constexpr double kTitleSize = 13;
constexpr double kAxisTextSize = 10;
// So many category labels fit under a chart at the axis text size.
constexpr int kMostCategoryLabels = 20;

constexpr Rgb kAxisColour{0, 0, 0};
constexpr Rgb kGridColour{221, 221, 221};
constexpr Rgb kOutlineColour{90, 90, 90};
constexpr Rgb kTextColour{0, 0, 0};

std::string WholeText(double value) {
    return std::to_string(std::llround(value));
}

// The plot rectangle inside the margins, with the value scale of its ticks.
struct Plot {
    double left = kLeft;
    double right = kWidth - kRight;
    double top = kTop;
    double bottom = kHeight - kBottom;
    double scaleTop = 1;
    int categories = 1;

    double Step() const { return (right - left) / categories; }
    double X(std::size_t category) const {
        return left + (static_cast<double>(category) + 0.5) * Step();
    }
    double Y(double value) const { return bottom - value / scaleTop * (bottom - top); }
};

ChartFigure EmptyFigure(const std::string& title, double height) {
    ChartFigure figure;
    figure.title = title;
    figure.width = kWidth;
    figure.height = height;
    figure.labels.push_back(
        {{kLeft, kTitleBaseline}, title, kTitleSize, kTextColour, TextAnchor::Start, true});
    return figure;
}

// Grid lines and their values, the axes, and the category labels below.
Plot DrawAxes(ChartFigure& figure, const std::vector<std::string>& categories, double maximum,
              std::optional<double> top) {
    Plot plot;
    plot.categories = std::max<int>(1, static_cast<int>(categories.size()));
    const std::vector<double> ticks = AxisTicks(top.value_or(maximum));
    plot.scaleTop = ticks.back();
    for (double tick : ticks) {
        const double y = plot.Y(tick);
        figure.lines.push_back({{plot.left, y}, {plot.right, y}, kGridColour, 1, false});
        figure.labels.push_back({{plot.left - 6, y + 4},
                                 WholeText(tick),
                                 kAxisTextSize,
                                 kTextColour,
                                 TextAnchor::End,
                                 false});
    }
    figure.lines.push_back(
        {{plot.left, plot.bottom}, {plot.right, plot.bottom}, kAxisColour, 1, false});
    figure.lines.push_back(
        {{plot.left, plot.top}, {plot.left, plot.bottom}, kAxisColour, 1, false});
    const std::size_t every = (categories.size() + kMostCategoryLabels - 1) / kMostCategoryLabels;
    for (std::size_t i = 0; i < categories.size(); i += std::max<std::size_t>(every, 1))
        figure.labels.push_back({{plot.X(i), plot.bottom + 14},
                                 categories[i],
                                 kAxisTextSize,
                                 kTextColour,
                                 TextAnchor::Middle,
                                 false});
    return plot;
}

double LargestValue(const std::vector<LineSeries>& series) {
    double largest = 0;
    for (const LineSeries& line : series) {
        for (const auto& value : line.values)
            largest = std::max(largest, value.value_or(0));
        largest = std::max(largest, line.average.value_or(0));
    }
    return largest;
}

void DrawLine(ChartFigure& figure, const Plot& plot, const LineSeries& line) {
    ChartPath path{{}, line.colour, 2};
    for (std::size_t i = 0; i < line.values.size(); ++i) {
        if (!line.values[i]) {
            if (path.points.size() > 1)
                figure.paths.push_back(path);
            path.points.clear();
            continue;
        }
        const ChartPoint point{plot.X(i), plot.Y(*line.values[i])};
        path.points.push_back(point);
        const Rgb fill = i < line.dotColours.size() ? line.dotColours[i] : line.colour;
        figure.dots.push_back(
            {point, 3.5, fill, i < line.tips.size() ? line.tips[i] : std::string()});
    }
    if (path.points.size() > 1)
        figure.paths.push_back(path);
    if (line.average) {
        const double y = plot.Y(*line.average);
        figure.lines.push_back({{plot.left, y}, {plot.right, y}, line.colour, 1, true});
        figure.labels.push_back({{plot.right, y - 4},
                                 "среднее " + WholeText(*line.average),
                                 kAxisTextSize,
                                 line.colour,
                                 TextAnchor::End,
                                 false});
    }
}

}  // namespace

std::vector<double> AxisTicks(double maximum) {
    maximum = std::max(maximum, 1.0);
    const double raw = maximum / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double normal = raw / magnitude;
    double step = (normal <= 1 ? 1 : normal <= 2 ? 2 : normal <= 5 ? 5 : 10) * magnitude;
    // The values are counts and points: no fractional ticks.
    step = std::max(step, 1.0);
    const double top = std::ceil(maximum / step - 1e-9) * step;
    std::vector<double> ticks;
    for (double tick = 0; tick <= top + step / 2; tick += step)
        ticks.push_back(tick);
    return ticks;
}

ChartFigure LineChartFigure(const std::string& title, const std::vector<std::string>& categories,
                            const std::vector<LineSeries>& series, std::optional<double> top) {
    ChartFigure figure = EmptyFigure(title, kHeight);
    const Plot plot = DrawAxes(figure, categories, LargestValue(series), top);
    for (const LineSeries& line : series)
        DrawLine(figure, plot, line);
    return figure;
}

ChartFigure ColumnChartFigure(const std::string& title, const std::vector<std::string>& categories,
                              const std::vector<double>& values, const std::vector<Rgb>& fills,
                              const std::vector<std::string>& tips) {
    ChartFigure figure = EmptyFigure(title, kHeight);
    const double largest = values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    const Plot plot = DrawAxes(figure, categories, largest, std::nullopt);
    const double width = plot.Step() * 0.7;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double y = plot.Y(std::max(values[i], 0.0));
        figure.boxes.push_back({plot.X(i) - width / 2, y, width, plot.bottom - y,
                                i < fills.size() ? fills[i] : kOutlineColour, kOutlineColour,
                                i < tips.size() ? tips[i] : std::string()});
    }
    return figure;
}

ChartFigure RankingChartFigure(const std::string& title, const std::vector<std::string>& names,
                               const std::vector<BarPanel>& panels) {
    constexpr double kNamesWidth = 150;
    constexpr double kRowHeight = 18;
    constexpr double kFirstRow = 44;
    constexpr double kPanelGap = 16;
    constexpr double kValueRoom = 44;  // beside the longest bar, for its value
    const double height = kFirstRow + kRowHeight * static_cast<double>(names.size()) + 8;
    ChartFigure figure = EmptyFigure(title, height);

    for (std::size_t row = 0; row < names.size(); ++row)
        figure.labels.push_back({{kNamesWidth - 6, kFirstRow + kRowHeight * row + 13},
                                 names[row],
                                 kAxisTextSize,
                                 kTextColour,
                                 TextAnchor::End,
                                 false});
    const double panelWidth =
        panels.empty() ? 0
                       : (kWidth - kNamesWidth - kRight - kPanelGap * (panels.size() - 1)) /
                             static_cast<double>(panels.size());
    for (std::size_t p = 0; p < panels.size(); ++p) {
        const BarPanel& panel = panels[p];
        const double left = kNamesWidth + p * (panelWidth + kPanelGap);
        figure.labels.push_back({{left, kFirstRow - 8},
                                 panel.heading,
                                 kAxisTextSize,
                                 kTextColour,
                                 TextAnchor::Start,
                                 true});
        figure.lines.push_back({{left, kFirstRow}, {left, height - 8}, kAxisColour, 1, false});
        double largest = 0;
        for (double value : panel.values)
            largest = std::max(largest, value);
        for (std::size_t row = 0; row < panel.values.size() && row < names.size(); ++row) {
            const double length =
                largest <= 0 ? 0 : panel.values[row] / largest * (panelWidth - kValueRoom);
            const double top = kFirstRow + kRowHeight * row + 3;
            const std::string text = row < panel.valueTexts.size() ? panel.valueTexts[row] : "";
            figure.boxes.push_back({left, top, std::max(length, 0.0), kRowHeight - 6, panel.fill,
                                    std::nullopt, names[row] + ": " + text});
            figure.labels.push_back({{left + std::max(length, 0.0) + 4, top + 10},
                                     text,
                                     kAxisTextSize,
                                     kTextColour,
                                     TextAnchor::Start,
                                     false});
        }
    }
    return figure;
}

ChartFigure MessageFigure(const std::string& title, const std::string& message) {
    ChartFigure figure = EmptyFigure(title, 80);
    figure.labels.push_back(
        {{kLeft, 52}, message, kAxisTextSize + 1, kTextColour, TextAnchor::Start, false});
    return figure;
}

}  // namespace kordex
