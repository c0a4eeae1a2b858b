#include "export/workbook_charts.h"

// Built only with libxlsxwriter, like the workbook it adds to.
#if KORDEX_WORKBOOK
#include <xlsxwriter.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/kordex_error.h"
#include "series/series_chart_figures.h"
#include "series/series_table_style.h"

namespace kordex {

namespace {

constexpr const char* kExpSheet = "Опыт";
constexpr const char* kDamageSheet = "Урон";

// The charts stand on the left, two abreast; the data block they read begins at column R.
constexpr lxw_col_t kTeamBlock = 17;
constexpr lxw_col_t kRankingBlock = kTeamBlock + 8;
constexpr lxw_col_t kChartColumns = 8;
constexpr lxw_row_t kChartRows = 16;

[[noreturn]] void Fail(const char* what) {
    throw KordexError(std::string("Не удалось записать лист \"") + std::string(kChartsSheetName) +
                      "\": " + what);
}

void Check(lxw_error error) {
    if (error != LXW_NO_ERROR)
        Fail(lxw_strerror(error));
}

std::string CellName(lxw_row_t row, lxw_col_t column) {
    char name[LXW_MAX_CELL_NAME_LENGTH];
    lxw_rowcol_to_cell(name, row, column);
    return name;
}

std::string ColumnName(lxw_col_t column) {
    char name[LXW_MAX_CELL_NAME_LENGTH];
    lxw_col_to_name(name, column, 0);
    return name;
}

std::string SheetCell(const char* sheet, int row, int column) {
    return "'" + std::string(sheet) + "'!" +
           CellName(static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column));
}

// The body of a battle column on a sheet, as a SUM argument.
std::string ColumnBody(const char* sheet, const TextGrid& exp, int column) {
    return SheetCell(sheet, kSeriesStartRow, column) + ":" +
           CellName(static_cast<lxw_row_t>(std::max(exp.RowCount() - 1, kSeriesStartRow)),
                    static_cast<lxw_col_t>(column));
}

// The player's cells of the charted battles: consecutive columns joined into one range.
std::string PlayerCells(const char* sheet, const SeriesCharts& charts, const PlayerCharts& player) {
    std::string cells;
    for (int row : player.rows) {
        std::size_t i = 0;
        while (i < charts.battles.size()) {
            std::size_t end = i;
            while (end + 1 < charts.battles.size() &&
                   charts.battles[end + 1].column == charts.battles[end].column + 1)
                ++end;
            if (!cells.empty())
                cells += ",";
            cells += SheetCell(sheet, row, charts.battles[i].column);
            if (end > i)
                cells += ":" + CellName(static_cast<lxw_row_t>(row),
                                        static_cast<lxw_col_t>(charts.battles[end].column));
            i = end + 1;
        }
    }
    return cells;
}

lxw_color_t ChartColour(const Rgb& colour) {
    return (static_cast<lxw_color_t>(colour.red) << 16) |
           (static_cast<lxw_color_t>(colour.green) << 8) | colour.blue;
}

void WriteHeadings(lxw_worksheet* sheet, lxw_col_t first,
                   std::initializer_list<const char*> headings, lxw_format* bold) {
    lxw_col_t column = first;
    for (const char* heading : headings)
        Check(worksheet_write_string(sheet, 0, column++, heading, bold));
}

// Battle number, date, map, outcome, team experience and damage, win rate so far.
void WriteTeamBlock(lxw_worksheet* sheet, const SeriesCharts& charts, const TextGrid& exp,
                    lxw_format* bold) {
    WriteHeadings(
        sheet, kTeamBlock,
        {"Бой", "Дата", "Карта", "Исход", "Опыт команды", "Урон команды", "Процент побед"}, bold);
    const std::string outcomes = ColumnName(kTeamBlock + 3);
    for (std::size_t i = 0; i < charts.battles.size(); ++i) {
        const ChartBattle& battle = charts.battles[i];
        const TeamPoint& point = charts.team[i];
        const auto row = static_cast<lxw_row_t>(i + 1);
        // The win rate up to this battle, from the outcomes above.
        const std::string upTo = "$" + outcomes + "$2:" + outcomes + std::to_string(row + 1);
        Check(worksheet_write_number(sheet, row, kTeamBlock, battle.number, nullptr));
        Check(worksheet_write_string(sheet, row, kTeamBlock + 1, battle.date.c_str(), nullptr));
        Check(worksheet_write_string(sheet, row, kTeamBlock + 2, battle.map.c_str(), nullptr));
        Check(worksheet_write_formula_str(
            sheet, row, kTeamBlock + 3, ("=" + SheetCell(kExpSheet, 2, battle.column)).c_str(),
            nullptr, std::string(OutcomeWord(battle.outcome)).c_str()));
        Check(worksheet_write_formula_num(
            sheet, row, kTeamBlock + 4,
            ("=SUM(" + ColumnBody(kExpSheet, exp, battle.column) + ")").c_str(), nullptr,
            static_cast<double>(point.experience)));
        Check(worksheet_write_formula_num(
            sheet, row, kTeamBlock + 5,
            ("=SUM(" + ColumnBody(kDamageSheet, exp, battle.column) + ")").c_str(), nullptr,
            static_cast<double>(point.damage)));
        Check(worksheet_write_formula_num(
            sheet, row, kTeamBlock + 6,
            ("=COUNTIF(" + upTo + ",\"Победа\")*100/ROWS(" + upTo + ")").c_str(), nullptr,
            point.winRate));
    }
}

// The players in ranking order: name, average experience, battles played.
void WriteRankingBlock(lxw_worksheet* sheet, const SeriesCharts& charts, lxw_format* bold) {
    WriteHeadings(sheet, kRankingBlock, {"Игрок", "Средний опыт", "Боев сыграно"}, bold);
    lxw_row_t row = 1;
    for (int index : charts.ranking) {
        const PlayerCharts& player = charts.players[static_cast<std::size_t>(index)];
        const std::string cells = PlayerCells(kExpSheet, charts, player);
        Check(worksheet_write_string(sheet, row, kRankingBlock, player.name.c_str(), nullptr));
        Check(worksheet_write_formula_num(sheet, row, kRankingBlock + 1,
                                          ("=IFERROR(AVERAGE(" + cells + "),0)").c_str(), nullptr,
                                          player.averageExperience));
        Check(worksheet_write_formula_num(sheet, row, kRankingBlock + 2,
                                          ("=COUNTA(" + cells + ")").c_str(), nullptr,
                                          player.battles));
        ++row;
    }
}

lxw_chart* NewChart(lxw_workbook* workbook, uint8_t type, const std::string& title) {
    lxw_chart* chart = workbook_add_chart(workbook, type);
    if (chart == nullptr)
        Fail("диаграмма не создана");
    chart_title_set_name(chart, title.c_str());
    chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
    chart_show_blanks_as(chart, LXW_CHART_BLANKS_AS_GAP);
    return chart;
}

lxw_chart_series* AddSeries(lxw_chart* chart) {
    lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
    if (series == nullptr)
        Fail("ряд диаграммы не создан");
    return series;
}

// A column chart of one team block column, each column in its battle's outcome colour.
void AddTeamColumns(lxw_workbook* workbook, lxw_worksheet* sheet, const SeriesCharts& charts,
                    const char* title, lxw_col_t valueColumn, lxw_row_t at, lxw_col_t atColumn) {
    lxw_chart* chart = NewChart(workbook, LXW_CHART_COLUMN, title);
    lxw_chart_series* series = AddSeries(chart);
    const auto last = static_cast<lxw_row_t>(charts.battles.size());
    const std::string sheetName(kChartsSheetName);
    chart_series_set_categories(series, sheetName.c_str(), 1, kTeamBlock, last, kTeamBlock);
    chart_series_set_values(series, sheetName.c_str(), 1, valueColumn, last, valueColumn);
    std::vector<lxw_chart_fill> fills(charts.battles.size());
    std::vector<lxw_chart_point> points(charts.battles.size());
    std::vector<lxw_chart_point*> pointList;
    for (std::size_t i = 0; i < charts.battles.size(); ++i) {
        fills[i].color = ChartColour(OutcomeColour(charts.battles[i].outcome));
        points[i].fill = &fills[i];
        pointList.push_back(&points[i]);
    }
    pointList.push_back(nullptr);
    Check(chart_series_set_points(series, pointList.data()));
    Check(worksheet_insert_chart(sheet, at, atColumn, chart));
}

void AddWinRateLine(lxw_workbook* workbook, lxw_worksheet* sheet, const SeriesCharts& charts,
                    lxw_row_t at, lxw_col_t atColumn) {
    lxw_chart* chart = NewChart(workbook, LXW_CHART_LINE, "Процент побед с начала серии");
    lxw_chart_series* series = AddSeries(chart);
    const auto last = static_cast<lxw_row_t>(charts.battles.size());
    const std::string sheetName(kChartsSheetName);
    chart_series_set_categories(series, sheetName.c_str(), 1, kTeamBlock, last, kTeamBlock);
    chart_series_set_values(series, sheetName.c_str(), 1, kTeamBlock + 6, last, kTeamBlock + 6);
    lxw_chart_line line{};
    line.color = ChartColour(kWinRateColour);
    chart_series_set_line(series, &line);
    chart_series_set_marker_type(series, LXW_CHART_MARKER_CIRCLE);
    chart_axis_set_min(chart->y_axis, 0);
    chart_axis_set_max(chart->y_axis, 100);
    Check(worksheet_insert_chart(sheet, at, atColumn, chart));
}

void AddRankingBars(lxw_workbook* workbook, lxw_worksheet* sheet, const SeriesCharts& charts,
                    const char* title, lxw_col_t valueColumn, lxw_color_t colour, lxw_row_t at,
                    lxw_col_t atColumn) {
    lxw_chart* chart = NewChart(workbook, LXW_CHART_BAR, title);
    lxw_chart_series* series = AddSeries(chart);
    const auto last = static_cast<lxw_row_t>(charts.ranking.size());
    const std::string sheetName(kChartsSheetName);
    chart_series_set_categories(series, sheetName.c_str(), 1, kRankingBlock, last, kRankingBlock);
    chart_series_set_values(series, sheetName.c_str(), 1, valueColumn, last, valueColumn);
    lxw_chart_fill fill{};
    fill.color = colour;
    chart_series_set_fill(series, &fill);
    // The best player on top, as in the list beside the chart.
    chart_axis_set_reverse(chart->y_axis);
    Check(worksheet_insert_chart(sheet, at, atColumn, chart));
}

// A player's line over the battle columns of a sheet: a series per row of the player, so a
// player of several rows (grouped by battles) still reads as one line of points.
void AddPlayerLine(lxw_workbook* workbook, lxw_worksheet* sheet, const TextGrid& exp,
                   const PlayerCharts& player, const char* sourceSheet, const char* what,
                   lxw_color_t colour, lxw_row_t at, lxw_col_t atColumn) {
    lxw_chart* chart = NewChart(workbook, LXW_CHART_LINE, player.name + ": " + what);
    int first = -1, last = -1;
    for (int column = 2; column < exp.ColumnCount(); ++column) {
        if (SeriesColumnOf(exp, column) != SeriesColumn::Battle)
            continue;
        if (first < 0)
            first = column;
        last = column;
    }
    for (int row : player.rows) {
        lxw_chart_series* series = AddSeries(chart);
        const auto r = static_cast<lxw_row_t>(row);
        chart_series_set_categories(series, kExpSheet, 0, static_cast<lxw_col_t>(first), 0,
                                    static_cast<lxw_col_t>(last));
        chart_series_set_values(series, sourceSheet, r, static_cast<lxw_col_t>(first), r,
                                static_cast<lxw_col_t>(last));
        lxw_chart_line line{};
        line.color = colour;
        chart_series_set_line(series, &line);
        chart_series_set_marker_type(series, LXW_CHART_MARKER_CIRCLE);
    }
    Check(worksheet_insert_chart(sheet, at, atColumn, chart));
}

}  // namespace

void AddChartsSheet(lxw_workbook* workbook, const SeriesCharts& charts, const TextGrid& exp) {
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, std::string(kChartsSheetName).c_str());
    if (sheet == nullptr)
        Fail("лист не создан");
    if (!charts.Drawable()) {
        Check(worksheet_write_string(sheet, 0, 0, kNothingToChart, nullptr));
        return;
    }
    lxw_format* bold = workbook_add_format(workbook);
    if (bold == nullptr)
        Fail("формат не создан");
    format_set_bold(bold);
    WriteTeamBlock(sheet, charts, exp, bold);
    WriteRankingBlock(sheet, charts, bold);

    AddTeamColumns(workbook, sheet, charts, "Опыт команды за бой", kTeamBlock + 4, 0, 0);
    AddTeamColumns(workbook, sheet, charts, "Урон команды за бой", kTeamBlock + 5, 0,
                   kChartColumns);
    AddWinRateLine(workbook, sheet, charts, kChartRows, 0);
    AddRankingBars(workbook, sheet, charts, "Средний опыт", kRankingBlock + 1,
                   ChartColour(kExperienceColour), kChartRows, kChartColumns);
    AddRankingBars(workbook, sheet, charts, "Боев сыграно", kRankingBlock + 2,
                   ChartColour(kBattlesColour), 2 * kChartRows, 0);
    lxw_row_t at = 3 * kChartRows;
    for (int index : charts.ranking) {
        const PlayerCharts& player = charts.players[static_cast<std::size_t>(index)];
        AddPlayerLine(workbook, sheet, exp, player, kExpSheet, "опыт",
                      ChartColour(kExperienceColour), at, 0);
        AddPlayerLine(workbook, sheet, exp, player, kDamageSheet, "урон",
                      ChartColour(kDamageColour), at, kChartColumns);
        at += kChartRows;
    }
}

}  // namespace kordex

#endif
