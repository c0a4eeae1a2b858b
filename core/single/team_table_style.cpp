#include "single/team_table_style.h"

#include <string>

#include "tables/cell_markers.h"
#include "text/number_format.h"

namespace kordex {

namespace {

constexpr int kAliveColumn = 4;
constexpr int kFirstMarkedColumn = 6;
constexpr int kLastMarkedColumn = 9;

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

}  // namespace

CellStyle TeamTableCellStyle(int column, int row, std::string_view text) {
    if (row == 0 || text.empty())
        return {};
    if (column == kAliveColumn)
        return AliveCell(text);
    if (column >= kFirstMarkedColumn && column <= kLastMarkedColumn)
        return MarkedCell(text);
    return {};
}

}  // namespace kordex
