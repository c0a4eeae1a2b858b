#include "support/series_grid_fixture.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kordex::test {

namespace {

// The three header rows every series table shares, after its own title.
GridRows SeriesTable(const std::string& title, const std::string& battleCount,
                     const std::string& outcomeCount, const GridRows& body) {
    GridRows rows = {
        {"Дата", "", "27.05.2017;21:04", ";21:30", "Суммарно", "В среднем"},
        {"Карта", "", "Прохоровка, штурм", "Энск", "Нажать для сортировки", ""},
        {title, "Техника", "Победа", "Поражение", battleCount, outcomeCount},
    };
    rows.insert(rows.end(), body.begin(), body.end());
    return rows;
}

constexpr const char* kSecondVehicles = "ИС-3, M4 \"Easy\" & <E8>";

}  // namespace

TextGrid GridFromRows(const GridRows& rows, int fixedRows) {
    std::size_t columns = 0;
    for (const auto& row : rows)
        columns = std::max(columns, row.size());
    TextGrid grid(static_cast<int>(columns), static_cast<int>(rows.size()), 1, fixedRows, 64, 18);
    for (std::size_t r = 0; r < rows.size(); ++r)
        grid.SetRow(static_cast<int>(r), rows[r]);
    return grid;
}

std::vector<std::string> BodyColumn(const TextGrid& grid, int column) {
    std::vector<std::string> cells;
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row)
        cells.push_back(grid.Cell(column, row));
    return cells;
}

SeriesFixture SmallSeries() {
    const std::string battles = "Боев: 2, побед: 1";
    const std::string outcomes = "1/0/1  50%";
    SeriesFixture series;
    const std::array<TextGrid*, 6> grids{&series.SeriesGridExp,    &series.SeriesGridFrags,
                                         &series.SeriesGridDamage, &series.SeriesGridSupport,
                                         &series.SeriesGridShots,  &series.SeriesGridSummary};
    TextGrid built[] = {
        GridFromRows(
            SeriesTable(
                "Ник\\Опыт", battles, outcomes,
                {{"Player_One", "T-34", "1234;+1;false", "420;-1;true", "1654", "827"},
                 {"Вася_2", kSecondVehicles, "700;-1;true", "900;+1;false", "1600", "800"}}),
            3),
        GridFromRows(
            SeriesTable("Ник\\Фраги", battles, outcomes,
                        {{"Player_One", "T-34", "2;+1;false", "0;-1;true", "2", "1"},
                         {"Вася_2", kSecondVehicles, "1;-1;true", "2;+1;false", "3", "1,50"}}),
            3),
        GridFromRows(
            SeriesTable(
                "Ник\\Урон", battles, outcomes,
                {{"Player_One", "T-34", "1500;+1;false", "300;-1;true", "1800", "900"},
                 {"Вася_2", kSecondVehicles, "200;-1;true", "2100;+1;false", "2300", "1150"}}),
            3),
        GridFromRows(SeriesTable("Ник\\ Свет/Гусли", battles, outcomes,
                                 {{"Player_One", "T-34", "210 / 0;0;false", "0 / 0;-1;true",
                                   "210 / 0", "210 / 0"},
                                  {"Вася_2", kSecondVehicles, "100 / 50;+1;true",
                                   "30 / 20;+1;false", "130 / 70", "65 / 35"}}),
                     3),
        GridFromRows(
            SeriesTable("Ник\\ Выст.-Проб./Поп.(ОФ)", "", "",
                        {{"Player_One", "T-34", "9 - 6/8 (1);0;false", "12 - 7/9 (1);0;true",
                          "21 - 13/17 (2)", "10,50 - 6,50/8,50 (1)"},
                         {"Вася_2", kSecondVehicles, "10 - 6/8 (1);0;true", "12 - 9/10 (0);0;false",
                          "22 - 15/18 (1)", "11 - 7,50/9 (0,50)"}}),
            3),
        GridFromRows(
            {
                {"Ник", "Суммарный опыт", "Суммарно фрагов", "Суммарно урона", "Суммарно поддержки",
                 "Средний опыт", "В среднем фрагов", "Средний урон", "В среднем поддержки", "Боёв",
                 "Побед", "% побед"},
                {"Player_One", "1654", "2", "1800", "210 / 0", "827", "1", "900", "210 / 0", "2",
                 "1", "50"},
                {"Вася_2", "1600", "3", "2300", "130 / 70", "800", "1,50", "1150", "65 / 35", "2",
                 "1", "50"},
                {},
                {},
            },
            1),
    };
    for (std::size_t i = 0; i < grids.size(); ++i)
        *grids[i] = std::move(built[i]);
    return series;
}

void MoveTotalsToFront(SeriesFixture& series) {
    for (TextGrid* table : series.SeriesGrids()) {
        const int columns = table->ColumnCount();
        for (auto [a, b] : {std::pair{2, columns - 2}, std::pair{3, columns - 1}}) {
            const auto first = table->Column(a);
            table->SetColumn(a, table->Column(b));
            table->SetColumn(b, first);
        }
    }
}

}  // namespace kordex::test
