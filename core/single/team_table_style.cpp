#include "single/team_table_style.h"

#include <string>

#include "single/team_tables.h"
#include "tables/cell_markers.h"
#include "text/number_format.h"

namespace kordex {

namespace {

constexpr int kAliveColumn = 4;
constexpr int kFirstMarkedColumn = 6;
constexpr int kLastMarkedColumn = 10;

CellStyle AliveCell(std::string_view text) {
    CellStyle style;
    style.custom = true;
    style.background = text == "+" ? colours::kLightGreen : colours::kLightRed;
    style.lines = {{std::string(text), 5, 0}};
    return style;
}

CellStyle MarkedCell(std::string_view text) {
    CellStyle style;
    const auto separator = text.find(';');
    if (separator != std::string_view::npos) {
        // The marker is all that follows the first ";".
        const auto markerText = text.substr(separator + 1);
        const auto marker = ParseWholeNumber(markerText);
        if (!marker) {
            style.failure = "\"" + std::string(markerText) + "\" не является целым числом";
            return style;
        }
        style.textColour = ExtremeMarkerColour(*marker);
    }
    style.custom = true;
    style.lines = {{std::string(ValuePart(text)), 2, 2}};
    return style;
}

CellStyle PlainCell(std::string_view text) {
    CellStyle style;
    style.custom = true;
    style.lines = {{std::string(text), 2, 2}};
    return style;
}

}  // namespace

CellStyle TeamTableCellStyle(int column, int row, std::string_view text, bool recorderRow) {
    if (row == 0 || text.empty())
        return {};
    CellStyle style;
    if (column == kAliveColumn)
        style = AliveCell(text);
    else if (column >= kFirstMarkedColumn && column <= kLastMarkedColumn)
        style = MarkedCell(text);
    else if (recorderRow)
        style = PlainCell(text);
    if (recorderRow && style.custom)
        style.bold = true;
    return style;
}

bool IsRecorderRow(const TextGrid& grid, int row, std::string_view recorderName) {
    return !recorderName.empty() && row >= grid.FixedRows() && row < grid.RowCount() &&
           grid.Cell(team_column::Name, row) == recorderName;
}

}  // namespace kordex
