#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "export/html_text.h"
#include "platform/clock.h"
#include "replay/battle_tables.h"
#include "replay/portal_addresses.h"
#include "series/series_ingestion.h"

namespace kordex {

// The battle-by-battle log a series run writes when ExportAllHTML is on: a page listing every
// ingested battle with both teams. The run owns the lines from BattleLogHead to BattleLogEnd.
void BattleLogHead(PageLines& log);

// Appends one battle: a title row coloured by the outcome, then the recording player's team
// (field 6 "1") and the other team (field 6 "0") side by side, rows without a vehicle id
// skipped. `dateTime` is the header's text as read, `mapAndMode` the map with the series' mode
// suffix, `outcome` "Победа", "Ничья" or "Поражение". The player and clan links lead to the
// portals of the battle's region.
void BattleLogBattle(PageLines& log, std::string_view dateTime, std::string_view mapAndMode,
                     std::string_view outcome, const VehicleTable& vehicles,
                     PortalRegion region = PortalRegion::Ru);

void BattleLogEnd(PageLines& log);

// "ExportAll_" + time stamp + ".htm" in the program's folder.
std::string BattleLogPath(std::string_view programFolder, const LocalDateTime& now);

// Writes the log as a page file (windows-1251, CR LF), replacing a file of the same name;
// throws KordexError when it cannot, leaving no partial file.
void SaveBattleLog(const PageLines& log, const std::string& path);

// The log of one series run, saved at its end in the program's folder under the time stamp, or
// at a path chosen beforehand (the CLI's --log).
class HtmlBattleLog : public SeriesBattleLog {
  public:
    explicit HtmlBattleLog(std::string programFolder) : programFolder_(std::move(programFolder)) {}
    static HtmlBattleLog SavedAt(std::string path);

    // A new log holding the page start.
    void Begin() override;
    void SetPortalRegion(PortalRegion region) override { region_ = region; }
    void AddBattle(const std::string& dateTime, const std::string& mapText,
                   const std::string& outcome, const VehicleTable& vehicles) override;
    // The page end, then the file; throws KordexError when it cannot be written. The lines are
    // discarded either way.
    void Finish(const LocalDateTime& stamp) override;
    // The same, saved at the given path whatever the time.
    void FinishAt(const std::string& path);

    const PageLines& Lines() const { return lines_; }
    // The file the last Finish wrote; empty before.
    const std::string& SavedPath() const { return savedPath_; }

  private:
    std::string programFolder_;
    std::string fixedPath_;
    PageLines lines_;
    std::string savedPath_;
    PortalRegion region_ = PortalRegion::Ru;
};

}  // namespace kordex
