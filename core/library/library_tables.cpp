#include "library/library_tables.h"

namespace kordex {

TextGrid MakeLibraryGrid() {
    static const char* const kTitles[kLibraryColumns] = {
        "Время", "Карта",   "Ник",    "Танк",       "Тип боя",    "Режим",         "Исход",
        "Выжил", "Ст",      "Опыт",   "Чист.опыт",  "Урон",       "Фраги",         "Свет",
        "Гусли", "Серебра", "Ремонт", "Пополн. БК", "Снаряжение", "Чист. прибыль", "Путь"};
    TextGrid grid(20, 19, 0, 1, 50, 17);
    grid.SetColumnCount(kLibraryColumns);
    grid.SetRowCount(1);
    for (int column = 0; column < kLibraryColumns; ++column)
        grid.SetCell(column, 0, kTitles[column]);
    grid.SetColumnWidth(library_column::Mastery, 25);
    return grid;
}

}  // namespace kordex
