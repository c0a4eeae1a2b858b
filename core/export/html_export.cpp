#include "export/html_export.h"

#include <algorithm>
#include <filesystem>
#include <span>

#include "export/export_file.h"
#include "export/html_charts.h"
#include "platform/file_io.h"
#include "platform/kordex_error.h"
#include "replay/portal_addresses.h"
#include "series/author_statistics.h"
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

// What the page adds to the tabs of the series tables so that it reads well on any screen:
// the strip and the legend stay at the top, each table scrolls in the area below them with its
// header rows and name column kept in view, and a chosen tab never scrolls the page (its
// anchor stands at the top of that area).
void AppendLayoutStyles(PageLines& lines) {
    lines.insert(
        lines.end(),
        {
            "html,body {margin:0;height:100%;}",
            "body {display:flex;flex-direction:column;height:100vh;height:100dvh;}",
            ".tabsLink {flex:none;padding:8px 8px 0 8px;white-space:nowrap;overflow-x:auto;}",
            ".tabsLink a {display:inline-block;margin-top:2px;}",
            ".legend {flex:none;margin:0;padding:4px 8px;font-size:smaller;white-space:nowrap;"
            "overflow-x:auto;border-top:2px solid #478CFB;}",
            ".legend span {padding:0 3px;}",
            ".pages {flex:1;position:relative;overflow:hidden;}",
            ".tabs {position:absolute;top:0;left:0;}",
            ".tab {top:0;left:0;right:0;bottom:0;overflow:auto;}",
            ".tab table {border-collapse:separate;}",
            ".tab thead {position:sticky;top:0;z-index:2;}",
            ".tab th:first-child, .tab td:first-child {position:sticky;left:0;z-index:1;}",
            ".tab thead th:first-child {z-index:3;}",
            ".author td {padding:1px 8px;}",
        });
}

// One line: what the header colours, the cell backgrounds and the number colours mean.
std::string LegendLine() {
    return "<p class=\"legend\">Заголовок боя: <span class=\"win\">победа</span> "
           "<span class=\"standoff\">ничья</span> <span class=\"defeat\">поражение</span>; "
           "ячейка: <span class=\"survived\">выжил</span> <span class=\"died\">погиб</span>; "
           "число: <span class=\"max\">лучшее в команде за бой</span>, "
           "<span class=\"min\">худшее в команде за бой</span>.</p>";
}

// The summary "Итого": its title row, then one row per player (the rows left empty at the
// bottom of the grid are not written).
void AppendSummaryTable(PageLines& lines, const TextGrid& summary, PortalRegion region) {
    lines.push_back("<table border=\"2\" align=\"center\" cellspacing=\"0\" rules=\"all\">");
    lines.push_back("<thead>");
    for (int row = 0; row < summary.FixedRows(); ++row) {
        lines.push_back("<tr>");
        for (int column = 0; column < summary.ColumnCount(); ++column)
            lines.push_back("<th class=\"grayed\">" + EscapeHtml(summary.Cell(column, row)) +
                            "</th>");
        lines.push_back("</tr>");
    }
    lines.push_back("</thead>");
    lines.push_back("<tbody>");
    int written = 0;
    for (int row = summary.FixedRows(); row < summary.RowCount(); ++row) {
        const auto& name = summary.Cell(0, row);
        if (name.empty())
            continue;
        // Parity of the written rows, as in the series tables: the first player row is "odd".
        const std::string rowClass = written++ % 2 == 0 ? "odd" : "even";
        lines.push_back("<tr>");
        lines.push_back("<td class=\"" + rowClass + "\"><a href=\"" +
                        PlayerSearchAddress(PercentEncodeAddressPart(name), region) + "\">" +
                        EscapeHtml(name) + "</a></td>");
        for (int column = 1; column < summary.ColumnCount(); ++column)
            lines.push_back("<td class=\"" + rowClass + "\">" +
                            EscapeHtml(summary.Cell(column, row)) + "</td>");
        lines.push_back("</tr>");
    }
    lines.push_back("</tbody>");
    lines.push_back("</table>");
}

// A caption of the author's statistics: its line break as a blank.
std::string CaptionHtml(std::string_view caption) {
    std::string text = EscapeHtml(caption);
    for (auto at = text.find('\n'); at != std::string::npos; at = text.find('\n', at))
        text.replace(at, 1, " ");
    return text;
}

// The author's statistics as the tab "Дополнительно" shows them: the two columns of captions
// and values side by side, under the tab's title.
void AppendAuthorTable(PageLines& lines, const LabelStore& labels) {
    const auto left = AuthorStatsLeftColumn();
    const auto right = AuthorStatsRightColumn();
    lines.push_back("<table class=\"author odd\" border=\"2\" align=\"center\" cellspacing=\"0\">");
    lines.push_back("<tr><th class=\"grayed\" colspan=\"4\">Статистика автора реплеев</th></tr>");
    lines.push_back(
        "<tr><td></td><td>Суммарно/В среднем</td><td></td><td>Суммарно/В среднем</td>"
        "</tr>");
    auto cells = [&labels](std::span<const AuthorStatsRow> rows, std::size_t i) -> std::string {
        if (i >= rows.size())
            return "<td></td><td></td>";
        const AuthorStatsRow& row = rows[i];
        const std::string open = row.bold ? "<td><b>" : "<td>";
        const std::string close = row.bold ? "</b></td>" : "</td>";
        return open + CaptionHtml(row.caption) + close + open + EscapeHtml(labels.Text(row.label)) +
               close;
    };
    for (std::size_t i = 0; i < std::max(left.size(), right.size()); ++i)
        lines.push_back("<tr>" + cells(left, i) + cells(right, i) + "</tr>");
    lines.push_back("</table>");
}

// The tabs after the five series tables: "Итого" and, when collected, "Дополнительно".
void AppendSummaryTabLinks(PageLines& lines, const LabelStore* authorStats) {
    lines.push_back("<a href=\"#sum\">Итого</a>");
    if (authorStats)
        lines.push_back("<a href=\"#add\">Дополнительно</a>");
}

void AppendSummaryTabs(PageLines& lines, const SeriesTables& tables,
                       const LabelStore* authorStats) {
    lines.push_back("<a class=\"tabs\" id=\"sum\"></a>");
    lines.push_back("<div class=\"tab\">");
    AppendSummaryTable(lines, tables.SeriesGridSummary, tables.portalRegion);
    lines.push_back("</div>");
    if (authorStats) {
        lines.push_back("<a class=\"tabs\" id=\"add\"></a>");
        lines.push_back("<div class=\"tab\">");
        AppendAuthorTable(lines, *authorStats);
        lines.push_back("</div>");
    }
}

}  // namespace

void GridToHTMLTable(PageLines& lines, TextGrid& table, PortalRegion region) {
    lines.push_back("<table border=\"2\" align=\"center\" cellspacing=\"0\" rules=\"all\">");
    ClearSortHint(table);
    // The header rows stay in view while the table scrolls under them.
    lines.push_back("<thead>");
    AppendHeaderRows(lines, table);
    lines.push_back("</thead>");
    lines.push_back("<tbody>");
    AppendBodyRows(lines, table, region);
    lines.push_back("</tbody>");
    lines.push_back("</table>");
}

PageLines SeriesPageLines(SeriesTables& tables, const LabelStore* authorStats) {
    PageLines lines;
    AppendPageStart(lines, {"<meta name=\"viewport\" content=\"width=device-width, "
                            "initial-scale=1\">"});
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
    AppendLayoutStyles(lines);
    AppendChartStyles(lines);
    lines.insert(lines.end(), {
                                  "</style>",
                                  "</head>",
                                  "<body>",
                                  "<div class=\"tabsLink\">",
                                  "<a href=\"#exp\">Опыт</a>",
                                  "<a href=\"#frg\">Фраги</a>",
                                  "<a href=\"#dmg\">Урон</a>",
                                  "<a href=\"#sup\">Поддержка</a>",
                                  "<a href=\"#sht\">Стрельба</a>",
                              });
    AppendSummaryTabLinks(lines, authorStats);
    lines.push_back("<a href=\"#" + std::string(kChartsAnchor) + "\">" + kChartsCaption + "</a>");
    lines.push_back("</div>");
    lines.push_back(LegendLine());
    lines.push_back("<div class=\"pages\">");
    const Tab tabs[] = {
        {tables.SeriesGridExp, "exp", "<div class=\"tab\" style=\"visibility:visible\">"},
        {tables.SeriesGridFrags, "frg", "<div class=\"tab\">"},
        {tables.SeriesGridDamage, "dmg", "<div class=\"tab\">"},
        {tables.SeriesGridSupport, "sup", "<div class=\"tab\">"},
        {tables.SeriesGridShots, "sht", "<div class=\"tab\">"},
    };
    for (const auto& tab : tabs) {
        lines.push_back("<a class=\"tabs\" id=\"" + std::string(tab.anchor) + "\"></a>");
        lines.push_back(tab.opening);
        GridToHTMLTable(lines, tab.table, tables.portalRegion);
        lines.push_back("</div>");
    }
    AppendSummaryTabs(lines, tables, authorStats);
    AppendChartsTab(lines, BuildSeriesCharts(tables.SeriesGridExp, tables.SeriesGridDamage));
    lines.push_back("</div>");
    lines.push_back("</body>");
    lines.push_back("</html>");
    return lines;
}

std::string SeriesPagePath(std::string_view programFolder, const LocalDateTime& now) {
    return ProgramFilePath(programFolder, "ExportAllies_" + FileTimeStamp(now) + ".htm");
}

void SaveSeriesPage(SeriesTables& tables, const LabelStore* authorStats, const std::string& path) {
    WriteFileReplacing(path, PageFileBytes(SeriesPageLines(tables, authorStats)));
}

std::optional<std::string> ExportHTMLNew(SeriesTables& tables, const LabelStore* authorStats,
                                         std::string_view programFolder, Platform& platform) {
    if (IsSeriesEmpty(tables.SeriesGridExp)) {
        platform.desktop.ShowMessage(std::string(kEmptyTableMessage));
        return std::nullopt;
    }
    // The page's old fixed name; a stale copy would be mistaken for the current export.
    std::error_code ignored;
    const std::string oldPage = ProgramFilePath(programFolder, "table.htm");
    std::filesystem::remove(Utf8Path(oldPage), ignored);

    const PageLines lines = SeriesPageLines(tables, authorStats);
    const std::string path = SeriesPagePath(programFolder, platform.clock.Now());
    WriteFileReplacing(path, PageFileBytes(lines));
    platform.desktop.Open(path);
    return path;
}

}  // namespace kordex
