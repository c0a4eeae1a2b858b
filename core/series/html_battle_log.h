#pragma once

#include <string>

#include "export/html_text.h"
#include "series/series_ingestion.h"

namespace kordex {

// The export's battle-by-battle page as the log a series run writes while ExportAllHTML is on:
// its lines are gathered in memory during the run and saved as one page file at its end.
class HtmlBattleLog : public SeriesBattleLog {
  public:
    // Saved in the program's folder as "ExportAll_" + time stamp + ".htm", as the window does.
    static HtmlBattleLog InProgramFolder(std::string programFolder);
    // Saved at the given path whatever the time (the CLI's --log).
    static HtmlBattleLog AtPath(std::string path);

    void Begin() override;
    void AddBattle(const std::string& dateTime, const std::string& mapText,
                   const std::string& outcome, const VehicleTable& vehicles) override;
    void Finish(const LocalDateTime& stamp) override;

    // The file the last run saved; empty before.
    const std::string& SavedPath() const { return savedPath_; }

  private:
    HtmlBattleLog(std::string programFolder, std::string fixedPath);

    std::string programFolder_;
    std::string fixedPath_;
    PageLines lines_;
    std::string savedPath_;
};

}  // namespace kordex
