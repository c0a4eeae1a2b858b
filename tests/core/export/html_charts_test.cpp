#include "export/html_charts.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "export/html_export.h"
#include "series/series_chart_figures.h"
#include "support/comma_numeric_locale.h"
#include "support/series_grid_fixture.h"

namespace kordex {
namespace {

std::size_t Count(const PageLines& lines, const std::string& start) {
    return static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(),
                      [&](const std::string& line) { return line.starts_with(start); }));
}

std::string Joined(const PageLines& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\n";
    return text;
}

TEST(HtmlCharts, SvgWritesEveryFigureWithPointDecimalsAndEscapedTexts) {
    test::CommaNumericLocale comma;  // a desktop locale must not turn 12.5 into "12,5"
    ChartFigure figure;
    figure.title = "A<B>";
    figure.width = 600;
    figure.height = 240;
    figure.boxes.push_back({10, 20.25, 30, 40, {0, 255, 0}, Rgb{90, 90, 90}, "Бой 1: 1500"});
    figure.lines.push_back({{0, 1}, {2, 3}, {0, 0, 0}, 1, true});
    figure.paths.push_back({{{1, 2}, {3.5, 4}}, {31, 119, 180}, 2});
    figure.dots.push_back({{3.5, 4}, 3.5, {255, 0, 0}, "x & \"y\""});
    figure.labels.push_back({{5, 6}, "<script>", 11, {0, 128, 0}, TextAnchor::End, true});

    const PageLines svg = ChartSvgLines(figure);
    EXPECT_EQ(svg.front(),
              "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\" width=\"600\" "
              "height=\"240\" viewBox=\"0 0 600 240\" role=\"img\" aria-label=\"A&lt;B&gt;\">");
    EXPECT_EQ(svg.back(), "</svg>");
    const std::string text = Joined(svg);
    for (const char* part : {
             "<rect x=\"10\" y=\"20.3\" width=\"30\" height=\"40\" fill=\"#00FF00\" "
             "stroke=\"#5A5A5A\"><title>Бой 1: 1500</title></rect>",
             "<line x1=\"0\" y1=\"1\" x2=\"2\" y2=\"3\" stroke=\"#000000\" stroke-width=\"1\" "
             "stroke-dasharray=\"6 4\"/>",
             "<polyline points=\"1,2 3.5,4\" fill=\"none\" stroke=\"#1F77B4\" stroke-width=\"2\"/>",
             "<circle cx=\"3.5\" cy=\"4\" r=\"3.5\" fill=\"#FF0000\" stroke=\"#5A5A5A\">"
             "<title>x &amp; &quot;y&quot;</title></circle>",
             "<text x=\"5\" y=\"6\" font-size=\"11\" fill=\"#008000\" text-anchor=\"end\" "
             "font-weight=\"bold\">&lt;script&gt;</text>",
         })
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}

TEST(HtmlCharts, PageHasTheChartsTabWithTheTeamRankingAndAFoldPerPlayer) {
    auto series = test::SmallSeries();
    const PageLines page = SeriesPageLines(series.Tables());

    const auto link = std::find(page.begin(), page.end(), "<a href=\"#chr\">Графики</a>");
    ASSERT_NE(link, page.end());
    const auto tab = std::find(page.begin(), page.end(), "<a class=\"tabs\" id=\"chr\"></a>");
    ASSERT_NE(tab, page.end());
    EXPECT_LT(link, tab);
    const PageLines charts(tab, page.end());
    // Team experience, damage and win rate, the ranking, then two charts for each of the two.
    EXPECT_EQ(Count(charts, "<svg "), 4u + 2 * 2);
    EXPECT_EQ(Count(charts, "<details class=\"player\">"), 2u);
    EXPECT_EQ(Count(charts, "<summary>Player_One</summary>"), 1u);
    EXPECT_EQ(Count(charts, "<summary>Вася_2</summary>"), 1u);
    EXPECT_EQ(Count(page, "<script"), 0u);
    EXPECT_EQ(page.back(), "</html>");

    // The same columns as the figures the window paints: one per battle, in outcome colours.
    const SeriesCharts data = BuildSeriesCharts(series.SeriesGridExp, series.SeriesGridDamage);
    const PageLines teamSvg = ChartSvgLines(TeamChartFigures(data)[0]);
    EXPECT_NE(Joined(charts).find(Joined(teamSvg)), std::string::npos);
    EXPECT_EQ(Count(teamSvg, "<rect x="), 2u);
    EXPECT_NE(Joined(teamSvg).find("fill=\"#00FF00\""), std::string::npos);
    EXPECT_NE(Joined(teamSvg).find("fill=\"#FF0000\""), std::string::npos);
}

TEST(HtmlCharts, ASeriesOfOneBattleSaysThereIsNothingToDrawYet) {
    const TextGrid exp = test::GridFromRows({{"Дата", "", "d", "Суммарно", "В среднем"},
                                             {"Карта", "", "m", "", ""},
                                             {"Ник\\Опыт", "Техника", "Победа", "", ""},
                                             {"Anna", "T-34", "900;0;true", "900", "900"}},
                                            3);
    PageLines lines;
    AppendChartsTab(lines, BuildSeriesCharts(exp, exp));
    EXPECT_EQ(Count(lines, "<svg "), 2u);  // the team's and the ranking's messages
    EXPECT_EQ(Count(lines, "<details"), 0u);
    EXPECT_NE(Joined(lines).find(kNothingToChart), std::string::npos);
}

}  // namespace
}  // namespace kordex
