#include "export/html_export.h"

#include <filesystem>

#include "export/export_file.h"
#include "export/html_charts.h"
#include "platform/kordex_error.h"
#include "replay/portal_addresses.h"
#include "tables/cell_markers.h"
#include "text/boolean_text.h"
#include "text/number_format.h"

namespace kordex {

namespace {

// The outcome class of a header cell's battle, or nothing for any other text.
std::optional<std::string> OutcomeClass(std::string_view text) {
    if (text == "Поражение")
        return "defeat";
    if (text == "Ничья")
        return "standoff";
    if (text == "Победа")
        return "win";
    return std::nullopt;
}

// A header cell shows the part before its first ";" and the part after it on two lines.
std::string HeaderCellHtml(std::string_view cell) {
    const auto split = cell.find(';');
    if (split == std::string_view::npos)
        return EscapeHtml(cell);
    return EscapeHtml(cell.substr(0, split)) + "<br>" + EscapeHtml(cell.substr(split + 1));
}

int ExtremeMarker(std::string_view cell) {
    const auto field = MarkerField(cell, 1);
    const auto value = ParseWholeNumber(field);
    if (!value)
        throw KordexError("\"" + std::string(field) + "\" не является целым числом.");
    return *value;
}

bool AliveMarker(std::string_view cell) {
    const auto field = MarkerField(cell, 2);
    const auto alive = ParseBooleanText(field);
    if (!alive)
        throw KordexError("\"" + std::string(field) + "\" не является логическим значением.");
    return *alive;
}

std::string MarkedCellHtml(std::string_view cell) {
    const int extreme = ExtremeMarker(cell);
    const std::string cellClass = AliveMarker(cell) ? "survived" : "died";
    const std::string paragraph = extreme == -1  ? " class=\"min\""
                                  : extreme == 1 ? " class=\"max\""
                                                 : "";
    return "<td class=\"" + cellClass + "\"><p" + paragraph + ">" + EscapeHtml(ValuePart(cell)) +
           "</p></td>";
}

void AppendHeaderRows(PageLines& lines, const TextGrid& table) {
    // An outcome word takes its colour, every other header cell is grey; the class is carried
    // from cell to cell because the outcome is looked up in row 2 for every header row.
    std::string headerClass;
    for (int row = 0; row < table.FixedRows(); ++row) {
        lines.push_back("<tr>");
        for (int column = 0; column < table.ColumnCount(); ++column) {
            if (auto outcome = OutcomeClass(table.Cell(column, 2)))
                headerClass = *outcome;
            const auto& cell = table.Cell(column, row);
            if (!OutcomeClass(cell))
                headerClass = "grayed";
            lines.push_back("<th class=\"" + headerClass + "\">" + HeaderCellHtml(cell) + "</th>");
        }
        lines.push_back("</tr>");
    }
}

void AppendBodyRows(PageLines& lines, const TextGrid& table, PortalRegion region) {
    for (int row = table.FixedRows(); row < table.RowCount(); ++row) {
        const std::string rowClass = row % 2 == 0 ? "even" : "odd";
        const auto& name = table.Cell(0, row);
        lines.push_back("<tr>");
        lines.push_back("<td class=\"" + rowClass + "\"><a href=\"" +
                        PlayerSearchAddress(PercentEncodeAddressPart(name), region) + "\">" +
                        EscapeHtml(name) + "</a></td>");
        lines.push_back("<td class=\"" + rowClass + "\">" + EscapeHtml(table.Cell(1, row)) +
                        "</td>");
        for (int column = 2; column < table.ColumnCount(); ++column) {
            const auto& cell = table.Cell(column, row);
            if (cell.find(';') != std::string::npos)
                lines.push_back(MarkedCellHtml(cell));
            else
                lines.push_back("<td class=\"" + rowClass + "\">" + EscapeHtml(cell) + "</td>");
        }
        lines.push_back("</tr>");
    }
}

struct Tab {
    TextGrid& table;
    const char* anchor;
    const char* opening;
};

}  // namespace

void GridToHTMLTable(PageLines& lines, TextGrid& table, PortalRegion region) {
    lines.push_back("<table border=\"2\" align=\"center\" cellspacing=\"0\" rules=\"all\">");
    ClearSortHint(table);
    AppendHeaderRows(lines, table);
    AppendBodyRows(lines, table, region);
    lines.push_back("</table>");
}

PageLines SeriesPageLines(const ExportTables& tables) {
    PageLines lines;
    AppendPageStart(lines);
    AppendCellStyles(lines);
    lines.insert(
        lines.end(),
        {
            "body {background-color:#D2D2D2;}",
            ".tabs {opacity:0;visibility:hidden;}",
            ".tab {visibility:hidden;position:absolute;}",
            ".tabs:target+.tab {opacity:1;visibility:visible;}",
            // The first table is shown by its own style until a link is followed; without
            // this line it would stay drawn under the chosen table.
            "body:has(.tabs:target:not(#exp)) #exp+.tab {visibility:hidden !important;}",
            ".tabsLink a{background-color:#478CFB;padding:5px;font:bold;color:#fff;text-decoration:"
            "none;-webkit-border-top-left-radius:10px;-webkit-border-top-right-radius:10px;",
            "-moz-border-radius-topleft:10px;-moz-border-radius-topright:10px;border-top-left-"
            "radius:10px;border-top-right-radius:10px;}",
        });
    AppendChartStyles(lines);
    lines.insert(lines.end(),
                 {
                     "</style>",
                     "</head>",
                     "<body>",
                     "<div class=\"tabsLink\">",
                     "<a href=\"#exp\">Опыт</a>",
                     "<a href=\"#frg\">Фраги</a>",
                     "<a href=\"#dmg\">Урон</a>",
                     "<a href=\"#sup\">Поддержка</a>",
                     "<a href=\"#sht\">Стрельба</a>",
                     "<a href=\"#" + std::string(kChartsAnchor) + "\">" + kChartsCaption + "</a>",
                     "</div>",
                 });
    const Tab tabs[] = {
        {tables.exp, "exp", "<div class=\"tab\" style=\"visibility:visible\">"},
        {tables.frags, "frg", "<div class=\"tab\">"},
        {tables.damage, "dmg", "<div class=\"tab\">"},
        {tables.support, "sup", "<div class=\"tab\">"},
        {tables.shots, "sht", "<div class=\"tab\">"},
    };
    for (const auto& tab : tabs) {
        lines.push_back("<a class=\"tabs\" id=\"" + std::string(tab.anchor) + "\"></a>");
        lines.push_back(tab.opening);
        GridToHTMLTable(lines, tab.table, tables.region);
        lines.push_back("</div>");
    }
    AppendChartsTab(lines, BuildSeriesCharts(tables.exp, tables.damage));
    lines.push_back("</body>");
    lines.push_back("</html>");
    return lines;
}

std::string SeriesPagePath(std::string_view programFolder, const LocalDateTime& now) {
    return ProgramFilePath(programFolder, "ExportAllies_" + FileTimeStamp(now) + ".htm");
}

void SaveSeriesPage(const ExportTables& tables, const std::string& path) {
    WriteFileReplacing(path, PageFileBytes(SeriesPageLines(tables)));
}

std::optional<std::string> ExportHTMLNew(const ExportTables& tables, std::string_view programFolder,
                                         Platform& platform) {
    if (IsSeriesEmpty(tables.exp)) {
        platform.desktop.ShowMessage(std::string(kEmptyTableMessage));
        return std::nullopt;
    }
    // The page's old fixed name; a stale copy would be mistaken for the current export.
    std::error_code ignored;
    const std::string oldPage = ProgramFilePath(programFolder, "table.htm");
    std::filesystem::remove(std::filesystem::path(std::u8string(oldPage.begin(), oldPage.end())),
                            ignored);

    const PageLines lines = SeriesPageLines(tables);
    const std::string path = SeriesPagePath(programFolder, platform.clock.Now());
    WriteFileReplacing(path, PageFileBytes(lines));
    platform.desktop.Open(path);
    return path;
}

}  // namespace kordex
