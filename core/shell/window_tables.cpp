#include "shell/window_tables.h"

#include "library/library_tables.h"
#include "single/team_tables.h"

namespace kordex {

namespace {

FontSpec TahomaPixels(int height) {
    FontSpec font;
    font.family = "Tahoma";
    font.pixelHeight = height;
    return font;
}

TextGrid SeriesGrid() {
    TextGrid grid(13, 18, 1, 3, 60, 18);
    grid.SetFont(TahomaPixels(12));
    return grid;
}

TextGrid SummaryGrid() {
    TextGrid grid(9, 18, 1, 1, 60, 18);
    grid.SetFont(TahomaPixels(12));
    return grid;
}

}  // namespace

WindowTables::WindowTables()
    : AlliesGrid(MakeTeamGrid()),
      EnemiesGrid(MakeTeamGrid()),
      SeriesGridExp(SeriesGrid()),
      SeriesGridFrags(SeriesGrid()),
      SeriesGridDamage(SeriesGrid()),
      SeriesGridSupport(SeriesGrid()),
      SeriesGridShots(SeriesGrid()),
      SeriesGridSummary(SummaryGrid()),
      library{BuiltLibraryGrid(), BuiltLibraryGrid(), {}, {}} {}

std::array<TextGrid*, 5> WindowTables::SeriesGrids() {
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

void SetTableTitles(WindowTables& tables) {
    SetTeamGridTitles(tables.AlliesGrid);
    SetTeamGridTitles(tables.EnemiesGrid);
    SetSeriesGridTitles(tables.SeriesGridExp, "Ник\\Опыт");
    SetSeriesGridTitles(tables.SeriesGridFrags, "Ник\\Фраги");
    SetSeriesGridTitles(tables.SeriesGridDamage, "Ник\\Урон");
    SetSeriesGridTitles(tables.SeriesGridSupport, "Ник\\ Свет/Гусли");
    SetSeriesGridTitles(tables.SeriesGridShots, "Ник\\ Выст.-Проб./Поп.(ОФ)");
    SetLibraryGridTitles(tables.library.allReplays);
    SetLibraryGridTitles(tables.library.favoriteReplays);
}

}  // namespace kordex
