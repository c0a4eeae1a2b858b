#include "support/team_table_checks.h"

#include <string>

#include "single/team_tables.h"
#include "tables/cell_markers.h"

namespace kordex::test {

int BodyRowsFilled(const TextGrid& grid) {
    int rows = 0;
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row)
        rows += !grid.Cell(team_column::Name, row).empty();
    return rows;
}

bool SortedByExperience(const TextGrid& grid) {
    long previous = 0;
    bool first = true;
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
        const std::string& cell = grid.Cell(team_column::Xp, row);
        if (cell.empty())
            continue;
        const long value = std::stol(std::string(ValuePart(cell)));
        if (!first && value > previous)
            return false;
        previous = value;
        first = false;
    }
    return true;
}

std::map<std::string, int> MarkerCounts(const TextGrid& grid, int column) {
    std::map<std::string, int> counts;
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row)
        if (!grid.Cell(column, row).empty())
            ++counts[std::string(MarkerField(grid.Cell(column, row), 1))];
    return counts;
}

}  // namespace kordex::test
