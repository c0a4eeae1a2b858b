#include "series/series_tables.h"

#include <algorithm>

#include "series/series_table_style.h"
#include "tables/grid_helpers.h"
#include "text/text_collation.h"

namespace kordex {

namespace {

FontSpec TahomaPixels(int height) {
    FontSpec font;
    font.family = "Tahoma";
    font.pixelHeight = height;
    return font;
}

TextGrid SeriesGrid() {
    TextGrid grid(13, kSeriesInitialRows, 1, kSeriesStartRow, 60, 18);
    grid.SetFont(TahomaPixels(12));
    return grid;
}

TextGrid SummaryGrid() {
    TextGrid grid(kSummaryColumns, kSeriesInitialRows, 1, 1, 60, 18);
    grid.SetFont(TahomaPixels(12));
    return grid;
}

}  // namespace

SeriesTables::SeriesTables()
    : SeriesGridExp(SeriesGrid()),
      SeriesGridFrags(SeriesGrid()),
      SeriesGridDamage(SeriesGrid()),
      SeriesGridSupport(SeriesGrid()),
      SeriesGridShots(SeriesGrid()),
      SeriesGridSummary(SummaryGrid()) {}

std::array<TextGrid*, 5> SeriesTables::SeriesGrids() {
    return {&SeriesGridExp, &SeriesGridFrags, &SeriesGridDamage, &SeriesGridSupport,
            &SeriesGridShots};
}

void SetSeriesGridTitles(TextGrid& grid, const char* cornerTitle) {
    grid.SetCell(0, 0, "Дата");
    grid.SetCell(0, 1, "Карта");
    grid.SetCell(0, 2, cornerTitle);
    grid.SetCell(1, 2, "Техника");
    // The battle titles show the date above the time.
    grid.SetRowHeight(0, grid.DefaultRowHeight() * 2);
}

void SetSeriesGridTitles(SeriesTables& tables) {
    SetSeriesGridTitles(tables.SeriesGridExp, "Ник\\Опыт");
    SetSeriesGridTitles(tables.SeriesGridFrags, "Ник\\Фраги");
    SetSeriesGridTitles(tables.SeriesGridDamage, "Ник\\Урон");
    SetSeriesGridTitles(tables.SeriesGridSupport, "Ник\\ Свет/Гусли");
    SetSeriesGridTitles(tables.SeriesGridShots, "Ник\\ Выст.-Проб./Поп.(ОФ)");
}

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

std::array<const TextGrid*, 5> SeriesGridsOf(const SeriesTables& tables) {
    return {&tables.SeriesGridExp, &tables.SeriesGridFrags, &tables.SeriesGridDamage,
            &tables.SeriesGridSupport, &tables.SeriesGridShots};
}

void PrepareSeriesGrids(SeriesTables& tables, int replays) {
    tables.portalRegion = PortalRegion::Ru;
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

std::optional<int> BattleReplayIndex(const TextGrid& grid, const RunList& runList, int column) {
    if (column < 2 || column >= grid.ColumnCount() ||
        SeriesColumnOf(grid, column) != SeriesColumn::Battle)
        return std::nullopt;
    // With the totals in front the battles follow them in their own order.
    const int index = column - (TotalsAtFront(grid) ? 4 : 2);
    if (index < 0 || index >= runList.Size())
        return std::nullopt;
    return index;
}

}  // namespace kordex
