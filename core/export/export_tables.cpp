#include "export/export_tables.h"

namespace kordex {

namespace {
constexpr int kFirstPlayerRow = 3;
constexpr int kMapRow = 1;
}  // namespace

bool IsSeriesEmpty(const TextGrid& exp) {
    return exp.Cell(1, kFirstPlayerRow).empty();
}

void ClearSortHint(TextGrid& table) {
    for (int column = 0; column < table.ColumnCount(); ++column) {
        if (table.Cell(column, kMapRow) == kSortHint)
            table.SetCell(column, kMapRow, "");
    }
}

}  // namespace kordex
