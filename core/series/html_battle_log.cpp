#include "series/html_battle_log.h"

#include "export/battle_log.h"

namespace kordex {

HtmlBattleLog::HtmlBattleLog(std::string programFolder, std::string fixedPath)
    : programFolder_(std::move(programFolder)), fixedPath_(std::move(fixedPath)) {}

HtmlBattleLog HtmlBattleLog::InProgramFolder(std::string programFolder) {
    return HtmlBattleLog(std::move(programFolder), {});
}

HtmlBattleLog HtmlBattleLog::AtPath(std::string path) {
    return HtmlBattleLog({}, std::move(path));
}

void HtmlBattleLog::Begin() {
    lines_.clear();
    BattleLogHead(lines_);
}

void HtmlBattleLog::AddBattle(const std::string& dateTime, const std::string& mapText,
                              const std::string& outcome, const VehicleTable& vehicles) {
    BattleLogBattle(lines_, dateTime, mapText, outcome, vehicles);
}

void HtmlBattleLog::Finish(const LocalDateTime& stamp) {
    BattleLogEnd(lines_);
    const std::string path = fixedPath_.empty() ? BattleLogPath(programFolder_, stamp) : fixedPath_;
    SaveBattleLog(lines_, path);
    savedPath_ = path;
    lines_.clear();
}

}  // namespace kordex
