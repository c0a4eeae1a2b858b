#include "series/series_charts.h"

#include <gtest/gtest.h>

#include <regex>

#include "platform/headless_desktop.h"
#include "platform/std_file_system.h"
#include "series/series_chart_figures.h"
#include "series/series_run.h"
#include "series/series_table_style.h"
#include "support/headless_series.h"
#include "support/series_grid_fixture.h"
#include "support/test_paths.h"
#include "tables/cell_markers.h"
#include "text/number_format.h"
#include "window/window_tables.h"

namespace kordex {
namespace {

using test::GridFromRows;
using test::GridRows;

// An experience and a damage table of five battle columns: a win, a battle left early, a
// loss, a repeated replay and a draw. Anna missed the loss; Boris's experience there could not
// be read.
struct FiveColumns {
    GridRows header(const std::string& title) const {
        return {
            {"Дата", "", "01.06.2024;20:00", ";20:10", ";20:20", ";20:30", ";20:40", "Суммарно",
             "В среднем"},
            {"Карта", "", "Энск", "Химмельсдорф", "Прохоровка", "Прохоровка", "Карелия", "", ""},
            {title, "Техника", "Победа", "Вышел", "Поражение", "Повтор", "Ничья", "", ""},
        };
    }
    TextGrid Table(const std::string& title, const GridRows& body) const {
        GridRows rows = header(title);
        rows.insert(rows.end(), body.begin(), body.end());
        return GridFromRows(rows, 3);
    }
    TextGrid exp = Table("Ник\\Опыт",
                         {
                             {"Anna", "T-34", "1000;+1;true", "", "", "", "600;0;false"},
                             {"Boris", "ИС", "500;-1;false", "", "error;0;true", "", "800;+1;true"},
                         });
    TextGrid damage = Table(
        "Ник\\Урон", {
                         {"Anna", "T-34", "2000;+1;true", "", "", "", "1000;-1;false"},
                         {"Boris", "ИС", "700;-1;false", "", "300;0;true", "", "1500;+1;true"},
                     });
};

TEST(SeriesCharts, BattleWordsAloneAreChartedWithTheirTeamSumsAndRunningWinRate) {
    FiveColumns f;
    const SeriesCharts charts = BuildSeriesCharts(f.exp, f.damage);

    ASSERT_EQ(charts.battles.size(), 3u);
    const struct {
        int column, number;
        std::string date, map;
        BattleOutcome outcome;
        TeamPoint team;
    } expected[] = {
        {2, 1, "01.06.2024 20:00", "Энск", BattleOutcome::Win, {1500, 2700, 100}},
        {4, 3, "20:20", "Прохоровка", BattleOutcome::Loss, {0, 300, 50}},
        {6, 5, "20:40", "Карелия", BattleOutcome::Draw, {1400, 2500, 100.0 / 3}},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(charts.battles[i].column, expected[i].column);
        EXPECT_EQ(charts.battles[i].number, expected[i].number);
        EXPECT_EQ(charts.battles[i].date, expected[i].date);
        EXPECT_EQ(charts.battles[i].map, expected[i].map);
        EXPECT_EQ(charts.battles[i].outcome, expected[i].outcome);
        EXPECT_EQ(charts.team[i].experience, expected[i].team.experience);
        EXPECT_EQ(charts.team[i].damage, expected[i].team.damage);
        EXPECT_DOUBLE_EQ(charts.team[i].winRate, expected[i].team.winRate);
    }
}

TEST(SeriesCharts, PlayersHaveGapsWhereTheyDidNotPlayAndAveragesOverTheirNumbers) {
    FiveColumns f;
    const SeriesCharts charts = BuildSeriesCharts(f.exp, f.damage);

    ASSERT_EQ(charts.players.size(), 2u);
    const PlayerCharts& anna = charts.players[0];
    EXPECT_EQ(anna.experience, (std::vector<std::optional<int>>{1000, std::nullopt, 600}));
    EXPECT_EQ(anna.damage, (std::vector<std::optional<int>>{2000, std::nullopt, 1000}));
    EXPECT_EQ(anna.battles, 2);
    EXPECT_DOUBLE_EQ(anna.averageExperience, 800);
    EXPECT_DOUBLE_EQ(anna.averageDamage, 1500);

    // An unreadable value is a gap, but the battle was played.
    const PlayerCharts& boris = charts.players[1];
    EXPECT_EQ(boris.experience, (std::vector<std::optional<int>>{500, std::nullopt, 800}));
    EXPECT_EQ(boris.battles, 3);
    EXPECT_DOUBLE_EQ(boris.averageExperience, 650);
    EXPECT_EQ(charts.ranking, (std::vector<int>{0, 1}));
    EXPECT_EQ(charts.Player("BORIS"), &boris);
    EXPECT_EQ(charts.Player("Vera"), nullptr);
}

TEST(SeriesCharts, TotalsInFrontAndRowsGroupedByBattleGiveTheSameCharts) {
    FiveColumns f;
    const SeriesCharts plain = BuildSeriesCharts(f.exp, f.damage);

    // Totals moved to the front: the battles follow them in their order.
    FiveColumns front;
    for (TextGrid* grid : {&front.exp, &front.damage}) {
        for (int row = 0; row < grid->RowCount(); ++row) {
            std::vector<std::string> cells = grid->Row(row);
            std::rotate(cells.begin() + 2, cells.end() - 2, cells.end());
            grid->SetRow(row, cells);
        }
    }
    SeriesCharts moved = BuildSeriesCharts(front.exp, front.damage);
    for (ChartBattle& battle : moved.battles)
        battle.column -= 2;
    EXPECT_EQ(moved, plain);

    // "Группировать по боям": a row per player and battle, the name in other letter case.
    FiveColumns grouped;
    grouped.exp = grouped.Table("Ник\\Опыт", {
                                                 {"Anna", "T-34", "1000;+1;true"},
                                                 {"Boris", "ИС", "500;-1;false"},
                                                 {"BORIS", "ИС", "", "", "error;0;true"},
                                                 {"anna", "T-34", "", "", "", "", "600;0;false"},
                                                 {"Boris", "ИС", "", "", "", "", "800;+1;true"},
                                             });
    grouped.damage =
        grouped.Table("Ник\\Урон", {
                                       {"Anna", "T-34", "2000;+1;true"},
                                       {"Boris", "ИС", "700;-1;false"},
                                       {"BORIS", "ИС", "", "", "300;0;true"},
                                       {"anna", "T-34", "", "", "", "", "1000;-1;false"},
                                       {"Boris", "ИС", "", "", "", "", "1500;+1;true"},
                                   });
    SeriesCharts joined = BuildSeriesCharts(grouped.exp, grouped.damage);
    EXPECT_EQ(joined.players[1].rows, (std::vector<int>{4, 5, 7}));
    for (PlayerCharts& player : joined.players)
        player.rows = plain.players[&player - joined.players.data()].rows;
    EXPECT_EQ(joined, plain);
}

TEST(SeriesCharts, FewerThanTwoBattlesDrawOnlyTheMessage) {
    const struct {
        std::string name;
        GridRows rows;
        std::size_t battles;
    } cases[] = {
        {"no battle at all", {{"Дата", ""}, {"Карта", ""}, {"Ник\\Опыт", "Техника"}}, 0},
        {"one battle among failures",
         {{"Дата", "", "d", "d"},
          {"Карта", "", "m", "m"},
          {"Ник\\Опыт", "Техника", "Ошибка чтения", "Победа"},
          {"Anna", "T-34", "", "900;0;true"}},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TextGrid grid = GridFromRows(c.rows, 3);
        const SeriesCharts charts = BuildSeriesCharts(grid, grid);
        EXPECT_EQ(charts.battles.size(), c.battles);
        EXPECT_FALSE(charts.Drawable());
        const auto team = TeamChartFigures(charts);
        ASSERT_EQ(team.size(), 1u);
        ASSERT_EQ(team[0].labels.size(), 2u);
        EXPECT_EQ(team[0].labels[1].text, kNothingToChart);
        EXPECT_TRUE(team[0].dots.empty() && team[0].boxes.empty());
    }
}

TEST(SeriesCharts, FiguresPlaceEveryPointOnItsScaleInTheOutcomeColours) {
    FiveColumns f;
    const SeriesCharts charts = BuildSeriesCharts(f.exp, f.damage);
    const auto team = TeamChartFigures(charts);
    ASSERT_EQ(team.size(), 3u);

    // Team experience: a column per battle, as high as its sum, coloured by the outcome.
    const ChartFigure& experience = team[0];
    ASSERT_EQ(experience.boxes.size(), 3u);
    const Rgb colours[] = {{0, 255, 0}, {255, 0, 0}, {255, 255, 0}};
    const double bottom = experience.boxes[0].y + experience.boxes[0].height;
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(experience.boxes[i].fill, colours[i]);
        EXPECT_DOUBLE_EQ(experience.boxes[i].y + experience.boxes[i].height, bottom);
        if (i > 0) {
            EXPECT_GT(experience.boxes[i].x, experience.boxes[i - 1].x);
        }
    }
    // 1500 and 1400 on a scale up to 1600: heights in that ratio, the loss's column flat.
    EXPECT_NEAR(experience.boxes[2].height / experience.boxes[0].height, 1400.0 / 1500, 1e-9);
    EXPECT_DOUBLE_EQ(experience.boxes[1].height, 0);
    EXPECT_EQ(experience.boxes[0].tip, "Бой 1, 01.06.2024 20:00, Энск, Победа: 1500");

    // Anna's experience: two points with a gap between them, so no line joins them, and her
    // average as a dashed line half-way between.
    const auto anna = PlayerChartFigures(charts, charts.players[0]);
    ASSERT_EQ(anna.size(), 2u);
    ASSERT_EQ(anna[0].dots.size(), 2u);
    EXPECT_TRUE(anna[0].paths.empty());
    const auto dashed = std::find_if(anna[0].lines.begin(), anna[0].lines.end(),
                                     [](const ChartLine& line) { return line.dashed; });
    ASSERT_NE(dashed, anna[0].lines.end());
    EXPECT_DOUBLE_EQ(dashed->from.y, (anna[0].dots[0].centre.y + anna[0].dots[1].centre.y) / 2);
    EXPECT_LT(anna[0].dots[0].centre.y, anna[0].dots[1].centre.y);  // 1000 stands above 600

    // Boris's damage: three points, one unbroken line through them.
    const auto boris = PlayerChartFigures(charts, charts.players[1]);
    ASSERT_EQ(boris[1].paths.size(), 1u);
    EXPECT_EQ(boris[1].paths[0].points.size(), 3u);
}

TEST(SeriesCharts, AxisTicksAreRoundStepsCoveringTheLargestValue) {
    const struct {
        double maximum;
        std::vector<double> ticks;
    } cases[] = {
        {0, {0, 1}},
        {3, {0, 1, 2, 3}},
        {100, {0, 20, 40, 60, 80, 100}},
        {1500, {0, 500, 1000, 1500}},
        {1501, {0, 500, 1000, 1500, 2000}},
        {23456, {0, 5000, 10000, 15000, 20000, 25000}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AxisTicks(c.maximum), c.ticks) << c.maximum;
}

TEST(SeriesCharts, OnlyANameBelowTheHeaderOpensAPlayersCharts) {
    const TextGrid summary = GridFromRows({{"Ник", "Суммарный опыт"}, {"Anna", "1600"}, {}}, 1);
    EXPECT_EQ(ChartPlayerAt(summary, 0, 1), "Anna");
    EXPECT_EQ(ChartPlayerAt(summary, 0, 0), std::nullopt);
    EXPECT_EQ(ChartPlayerAt(summary, 1, 1), std::nullopt);
    EXPECT_EQ(ChartPlayerAt(summary, 0, 2), std::nullopt);
}

// A run over the shared real replays: the charts agree with the totals and averages the run
// wrote into the tables, battle by battle and player by player.
TEST(SeriesChartsRealReplays, ChartsAgreeWithTheSeriesTables) {
    KORDEX_REQUIRE_SHARED_REPLAYS();
    const std::vector<std::string> paths = test::SharedReplayFiles();

    test::HeadlessSeries series;
    series.options.moveUnusable = false;
    series.Run(paths);
    const WindowTables& tables = series.tables;

    const SeriesCharts charts = BuildSeriesCharts(tables);
    ASSERT_TRUE(charts.Drawable());
    const TextGrid& exp = tables.SeriesGridExp;
    const TextGrid& damage = tables.SeriesGridDamage;
    const int total = exp.ColumnCount() - 2;

    // "Боев: N, побед: W" and "W/D/L  P%" of the total columns.
    std::smatch count, rate;
    const std::string battles = exp.Cell(total, 2), outcomes = exp.Cell(total + 1, 2);
    ASSERT_TRUE(std::regex_match(battles, count, std::regex("Боев: (\\d+), побед: (\\d+)")));
    ASSERT_TRUE(std::regex_match(outcomes, rate, std::regex("\\d+/\\d+/\\d+  (\\d+)%")));
    EXPECT_EQ(charts.battles.size(), std::stoul(count[1]));
    EXPECT_NEAR(charts.team.back().winRate, std::stod(rate[1]), 0.5);
    EXPECT_EQ(std::count_if(charts.battles.begin(), charts.battles.end(),
                            [](const ChartBattle& b) { return b.outcome == BattleOutcome::Win; }),
              std::stol(count[2]));

    // The team sums add up to the players' totals.
    long long teamExp = 0, teamDamage = 0, playersExp = 0, playersDamage = 0;
    for (const TeamPoint& point : charts.team) {
        teamExp += point.experience;
        teamDamage += point.damage;
    }
    for (int row = kSeriesStartRow; row < exp.RowCount(); ++row) {
        playersExp += ParseWholeNumber(exp.Cell(total, row)).value_or(0);
        playersDamage += ParseWholeNumber(damage.Cell(total, row)).value_or(0);
    }
    EXPECT_EQ(teamExp, playersExp);
    EXPECT_EQ(teamDamage, playersDamage);

    // Every player's points are their cells, and their averages the tables' averages.
    ASSERT_FALSE(charts.players.empty());
    for (const PlayerCharts& player : charts.players) {
        SCOPED_TRACE(player.rows.front());
        ASSERT_EQ(player.rows.size(), 1u);
        const int row = player.rows.front();
        for (std::size_t i = 0; i < charts.battles.size(); ++i) {
            const std::string& cell = exp.Cell(charts.battles[i].column, row);
            EXPECT_EQ(player.experience[i],
                      cell.empty() ? std::nullopt : ParseWholeNumber(ValuePart(cell)));
        }
        const auto average = [&](const TextGrid& grid) {
            return ParseLocaleNumber(grid.Cell(total + 1, row), series.options.format).value_or(-1);
        };
        EXPECT_NEAR(player.averageExperience, average(exp), 0.01);
        EXPECT_NEAR(player.averageDamage, average(damage), 0.01);
    }

    // The figures carry a point per value.
    const auto figures = PlayerChartFigures(charts, charts.players.front());
    std::size_t values = 0;
    for (const auto& value : charts.players.front().experience)
        values += value.has_value();
    EXPECT_EQ(figures[0].dots.size(), values);
    EXPECT_EQ(TeamChartFigures(charts)[0].boxes.size(), charts.battles.size());
}

}  // namespace
}  // namespace kordex
