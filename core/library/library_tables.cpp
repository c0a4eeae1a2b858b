#include "library/library_tables.h"

namespace kordex {

TextGrid BuiltLibraryGrid() {
    TextGrid grid(20, 19, 0, 1, 50, 17);
    grid.SetFont(FontSpec{"Tahoma", 12, false});
    return grid;
}

void SetLibraryGridTitles(TextGrid& grid) {
    static const char* const kTitles[kLibraryColumns] = {
        "Время", "Карта",   "Ник",    "Танк",       "Тип боя",    "Режим",         "Исход",
        "Выжил", "Ст",      "Опыт",   "Чист.опыт",  "Урон",       "Фраги",         "Свет",
        "Гусли", "Серебра", "Ремонт", "Пополн. БК", "Снаряжение", "Чист. прибыль", "Путь"};
    grid.SetColumnCount(kLibraryColumns);
    for (int column = 0; column < kLibraryColumns; ++column)
        grid.SetCell(column, 0, kTitles[column]);
    grid.SetColumnWidth(library_column::Mastery, 25);
}

TextGrid MakeLibraryGrid() {
    TextGrid grid = BuiltLibraryGrid();
    SetLibraryGridTitles(grid);
    grid.SetRowCount(1);
    return grid;
}

}  // namespace kordex
