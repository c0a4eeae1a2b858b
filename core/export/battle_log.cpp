#include "export/battle_log.h"

#include "export/export_file.h"
#include "replay/portal_addresses.h"

namespace kordex {

namespace {

namespace f = vehicle_field;

std::string TitleClass(std::string_view outcome) {
    if (outcome == "Поражение")
        return "defeat";
    if (outcome == "Ничья")
        return "standoff";
    if (outcome == "Победа")
        return "win";
    return "";
}

std::string Cell(const VehicleRow& row, int field) {
    return "<td>" + EscapeHtml(row[field]) + "</td>";
}

void AppendPlayerLines(PageLines& log, const VehicleRow& row, bool firstTeam, PortalRegion region) {
    log.push_back("<tr><td><a href=\"" +
                  PlayerPageAddress(PercentEncodeAddressPart(row[f::AccountId]), region) + "\">" +
                  EscapeHtml(row[f::Name]) + "</a></td>");
    if (row[f::ClanId] != "0") {
        log.push_back("<td><a href=\"" +
                      ClanPortalPageAddress(PercentEncodeAddressPart(row[f::ClanId]), region) +
                      "\">" + EscapeHtml(row[f::Clan]) + (firstTeam ? "</a></td>" : "</a>  </td>"));
    } else {
        log.push_back("<td></td>");
    }
    log.push_back(Cell(row, f::Type) + Cell(row, f::Xp) + Cell(row, f::Kills));
    log.push_back(Cell(row, f::Damage) + Cell(row, f::AssistRadio) + Cell(row, f::AssistTrack) +
                  "<td>" + EscapeHtml(row[f::Shots]) + " - " + EscapeHtml(row[f::Pierced]) + "/" +
                  EscapeHtml(row[f::Hits]) + " (" + EscapeHtml(row[f::HeHits]) + ")</td></tr>");
}

void AppendTeamTable(PageLines& log, const VehicleTable& vehicles, const std::string& side,
                     PortalRegion region) {
    log.push_back("<tr><td>Ник</td><td>Клан</td><td>Танк</td><td>Опыт</td><td>Убил</td>");
    log.push_back("<td>Урон</td><td>Свет</td><td>Подд</td><td>Выстр.-Проб./Попад.(ОФ)</td></tr>");
    for (const auto& row : vehicles) {
        if (!row[f::Id].empty() && row[f::Team] == side)
            AppendPlayerLines(log, row, side == "1", region);
    }
}

}  // namespace

void BattleLogHead(PageLines& log) {
    AppendPageStart(log);
    log.push_back("body {background-color:#D2D2D2;}");
    AppendCellStyles(log);
    log.insert(log.end(), {"</style>", "</head>", "<body>"});
}

void BattleLogBattle(PageLines& log, std::string_view dateTime, std::string_view mapAndMode,
                     std::string_view outcome, const VehicleTable& vehicles, PortalRegion region) {
    log.push_back("<table border=0>");
    log.push_back("<tr><td class=\"" + TitleClass(outcome) + "\">" + EscapeHtml(dateTime) + ", " +
                  EscapeHtml(mapAndMode) + ", " + EscapeHtml(outcome) + "</td><td></td></tr>");
    log.push_back("<tr><td>");
    log.push_back("<table border=\"2\" class=\"odd\">");
    AppendTeamTable(log, vehicles, "1", region);
    log.push_back("</table></td>");
    log.push_back("<td><table border=\"2\" class=\"even\">");
    AppendTeamTable(log, vehicles, "0", region);
    log.push_back("</table></td></tr>");
    log.push_back("</table>");
}

void BattleLogEnd(PageLines& log) {
    log.push_back("</body>");
    log.push_back("</html>");
}

std::string BattleLogPath(std::string_view programFolder, const LocalDateTime& now) {
    return ProgramFilePath(programFolder, "ExportAll_" + FileTimeStamp(now) + ".htm");
}

void SaveBattleLog(const PageLines& log, const std::string& path) {
    WriteFileReplacing(path, PageFileBytes(log));
}

HtmlBattleLog HtmlBattleLog::SavedAt(std::string path) {
    HtmlBattleLog log{std::string()};
    log.fixedPath_ = std::move(path);
    return log;
}

void HtmlBattleLog::Begin() {
    lines_.clear();
    BattleLogHead(lines_);
}

void HtmlBattleLog::AddBattle(const std::string& dateTime, const std::string& mapText,
                              const std::string& outcome, const VehicleTable& vehicles) {
    BattleLogBattle(lines_, dateTime, mapText, outcome, vehicles, region_);
}

void HtmlBattleLog::Finish(const LocalDateTime& stamp) {
    FinishAt(fixedPath_.empty() ? BattleLogPath(programFolder_, stamp) : fixedPath_);
}

void HtmlBattleLog::FinishAt(const std::string& path) {
    BattleLogEnd(lines_);
    const PageLines lines = std::exchange(lines_, {});
    SaveBattleLog(lines, path);
    savedPath_ = path;
}

}  // namespace kordex
