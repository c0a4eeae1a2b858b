#include "export/html_charts.h"

#include <charconv>
#include <cmath>

#include "series/series_chart_figures.h"

namespace kordex {

namespace {

// Coordinates with a point as decimal separator whatever the locale, one decimal at most.
std::string Number(double value) {
    char buffer[32];
    const double rounded = std::round(value * 10) / 10;
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 1);
    std::string text(buffer, error == std::errc() ? end : buffer);
    if (text.ends_with(".0"))
        text.resize(text.size() - 2);
    return text == "-0" ? "0" : text;
}

std::string HexColour(const Rgb& colour) {
    static const char* const kDigits = "0123456789ABCDEF";
    std::string text = "#";
    for (std::uint8_t part : {colour.red, colour.green, colour.blue}) {
        text += kDigits[part >> 4];
        text += kDigits[part & 15];
    }
    return text;
}

std::string Attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + value + "\"";
}

// An element closed at once, or holding a title where there is a tip.
std::string Element(const std::string& opening, const std::string& tip, const char* name) {
    if (tip.empty())
        return "<" + opening + "/>";
    return "<" + opening + "><title>" + EscapeHtml(tip) + "</title></" + name + ">";
}

const char* Anchor(TextAnchor anchor) {
    switch (anchor) {
        case TextAnchor::Start:
            return "start";
        case TextAnchor::Middle:
            return "middle";
        case TextAnchor::End:
            return "end";
    }
    return "start";
}

void AppendFigures(PageLines& lines, const std::vector<ChartFigure>& figures) {
    for (const ChartFigure& figure : figures) {
        const PageLines svg = ChartSvgLines(figure);
        lines.insert(lines.end(), svg.begin(), svg.end());
    }
}

}  // namespace

PageLines ChartSvgLines(const ChartFigure& figure) {
    PageLines lines;
    lines.push_back(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\"" +
        Attribute("width", Number(figure.width)) + Attribute("height", Number(figure.height)) +
        Attribute("viewBox", "0 0 " + Number(figure.width) + " " + Number(figure.height)) +
        " role=\"img\"" + Attribute("aria-label", EscapeHtml(figure.title)) + ">");
    lines.push_back("<rect width=\"100%\" height=\"100%\" fill=\"#FFFFFF\"/>");
    for (const ChartBox& box : figure.boxes) {
        std::string opening =
            "rect" + Attribute("x", Number(box.x)) + Attribute("y", Number(box.y)) +
            Attribute("width", Number(box.width)) + Attribute("height", Number(box.height)) +
            Attribute("fill", HexColour(box.fill));
        if (box.outline)
            opening += Attribute("stroke", HexColour(*box.outline));
        lines.push_back(Element(opening, box.tip, "rect"));
    }
    for (const ChartLine& line : figure.lines) {
        std::string opening =
            "line" + Attribute("x1", Number(line.from.x)) + Attribute("y1", Number(line.from.y)) +
            Attribute("x2", Number(line.to.x)) + Attribute("y2", Number(line.to.y)) +
            Attribute("stroke", HexColour(line.colour)) +
            Attribute("stroke-width", Number(line.width));
        if (line.dashed)
            opening += Attribute("stroke-dasharray", "6 4");
        lines.push_back("<" + opening + "/>");
    }
    for (const ChartPath& path : figure.paths) {
        std::string points;
        for (const ChartPoint& point : path.points)
            points += (points.empty() ? "" : " ") + Number(point.x) + "," + Number(point.y);
        lines.push_back("<polyline" + Attribute("points", points) + " fill=\"none\"" +
                        Attribute("stroke", HexColour(path.colour)) +
                        Attribute("stroke-width", Number(path.width)) + "/>");
    }
    for (const ChartDot& dot : figure.dots) {
        const std::string opening = "circle" + Attribute("cx", Number(dot.centre.x)) +
                                    Attribute("cy", Number(dot.centre.y)) +
                                    Attribute("r", Number(dot.radius)) +
                                    Attribute("fill", HexColour(dot.fill)) + " stroke=\"#5A5A5A\"";
        lines.push_back(Element(opening, dot.tip, "circle"));
    }
    for (const ChartLabel& label : figure.labels) {
        lines.push_back(
            "<text" + Attribute("x", Number(label.at.x)) + Attribute("y", Number(label.at.y)) +
            Attribute("font-size", Number(label.size)) +
            Attribute("fill", HexColour(label.colour)) +
            Attribute("text-anchor", Anchor(label.anchor)) +
            (label.bold ? " font-weight=\"bold\"" : "") + ">" + EscapeHtml(label.text) + "</text>");
    }
    lines.push_back("</svg>");
    return lines;
}

void AppendChartStyles(PageLines& lines) {
    lines.insert(lines.end(),
                 {
                     ".charts {font-family:Tahoma,Arial,sans-serif;padding:6px;}",
                     // Scaled down to a phone's width, never up beyond the drawing's own size.
                     ".charts svg {display:block;max-width:100%;height:auto;margin:6px 0;}",
                     ".charts summary {cursor:pointer;padding:3px;font-weight:bold;}",
                 });
}

void AppendChartsTab(PageLines& lines, const SeriesCharts& charts) {
    lines.push_back("<a class=\"tabs\" id=\"" + std::string(kChartsAnchor) + "\"></a>");
    lines.push_back("<div class=\"tab\">");
    lines.push_back("<div class=\"charts\">");
    AppendFigures(lines, TeamChartFigures(charts));
    AppendFigures(lines, {RankingFigure(charts)});
    if (charts.Drawable()) {
        for (int index : charts.ranking) {
            const PlayerCharts& player = charts.players[static_cast<std::size_t>(index)];
            lines.push_back("<details class=\"player\">");
            lines.push_back("<summary>" + EscapeHtml(player.name) + "</summary>");
            AppendFigures(lines, PlayerChartFigures(charts, player));
            lines.push_back("</details>");
        }
    }
    lines.push_back("</div>");
    lines.push_back("</div>");
}

}  // namespace kordex
