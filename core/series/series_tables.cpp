#include "series/series_tables.h"

#include <algorithm>

#include "shell/drop_rule.h"
#include "tables/grid_helpers.h"

namespace kordex {

namespace {

constexpr int kDefaultColumnWidth = 60;
constexpr int kDefaultRowHeight = 18;
constexpr int kWindowColumns = 13;  // the column count the window creates the grids with

TextGrid MakeSeriesGrid(const char* title) {
    TextGrid grid(kWindowColumns, kSeriesInitialRows, 1, kSeriesStartRow, kDefaultColumnWidth,
                  kDefaultRowHeight);
    grid.SetCell(0, 0, "Дата");
    grid.SetCell(0, 1, "Карта");
    grid.SetCell(0, 2, title);
    grid.SetCell(1, 2, "Техника");
    // The battle titles show the date and the time on two lines.
    grid.SetRowHeight(0, 2 * kDefaultRowHeight);
    return grid;
}

TextGrid MakeSummaryGrid() {
    return TextGrid(kSummaryColumns, kSeriesInitialRows, 1, 1, kDefaultColumnWidth,
                    kDefaultRowHeight);
}

}  // namespace

const std::array<const char*, 5> kSeriesGridTitles = {
    "Ник\\Опыт", "Ник\\Фраги", "Ник\\Урон", "Ник\\ Свет/Гусли", "Ник\\ Выст.-Проб./Поп.(ОФ)",
};

void RunList::Add(std::string path) {
    const auto at = std::upper_bound(
        paths_.begin(), paths_.end(), path,
        [](const std::string& a, const std::string& b) { return ListBoxLess(a, b); });
    paths_.insert(at, std::move(path));
}

void RunList::Assign(std::vector<std::string> paths) {
    SortLikeListBox(paths);
    paths_ = std::move(paths);
}

SeriesTables::SeriesTables()
    : SeriesGridExp(MakeSeriesGrid(kSeriesGridTitles[0])),
      SeriesGridFrags(MakeSeriesGrid(kSeriesGridTitles[1])),
      SeriesGridDamage(MakeSeriesGrid(kSeriesGridTitles[2])),
      SeriesGridSupport(MakeSeriesGrid(kSeriesGridTitles[3])),
      SeriesGridShots(MakeSeriesGrid(kSeriesGridTitles[4])),
      SeriesGridSummary(MakeSummaryGrid()) {}

std::array<TextGrid*, 5> SeriesTables::SeriesGrids() {
    return {&SeriesGridExp, &SeriesGridFrags, &SeriesGridDamage, &SeriesGridSupport,
            &SeriesGridShots};
}

std::array<const TextGrid*, 5> SeriesTables::SeriesGrids() const {
    return {&SeriesGridExp, &SeriesGridFrags, &SeriesGridDamage, &SeriesGridSupport,
            &SeriesGridShots};
}

void PrepareSeriesGrids(SeriesTables& tables, int replays) {
    for (TextGrid* grid : tables.SeriesGrids()) {
        grid->SetColumnCount(replays + 2);
        grid->SetRowCount(kSeriesInitialRows);
        for (int row = 0; row < grid->RowCount(); ++row) {
            for (int column = 0; column < grid->ColumnCount(); ++column) {
                const bool headerText = row < kSeriesStartRow && column < 2;
                if (!headerText)
                    grid->SetCell(column, row, {});
            }
        }
    }
    ClearTableBody(tables.SeriesGridSummary);
    tables.layout = SeriesLayout{};
}

void FitSeriesColumnWidths(SeriesTables& tables, Desktop& desktop) {
    const auto grids = tables.SeriesGrids();
    for (int column = 0; column < tables.SeriesGridExp.ColumnCount(); ++column) {
        int width = 0;
        for (const TextGrid* grid : grids)
            width = std::max(width, FitColumnWidth(*grid, column, desktop));
        for (TextGrid* grid : grids)
            grid->SetColumnWidth(column, width);
    }
    TextGrid& summary = tables.SeriesGridSummary;
    for (int column = 0; column < summary.ColumnCount(); ++column)
        summary.SetColumnWidth(column, FitColumnWidth(summary, column, desktop));
}

std::optional<int> BattleReplayIndex(const SeriesTables& tables, int column) {
    const int columns = tables.SeriesGridExp.ColumnCount();
    int index = column - 2;
    if (tables.layout.totalsAppended) {
        if (tables.layout.totalsAtFront)
            index = column - 4;  // totals and averages stand in columns 2 and 3
        else if (column >= columns - 2)
            return std::nullopt;
    }
    if (column < 2 || index < 0 || index >= tables.lb_ReplaysList.Size())
        return std::nullopt;
    return index;
}

}  // namespace kordex
