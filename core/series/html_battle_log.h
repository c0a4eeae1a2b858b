#pragma once

#include <string>

#include "export/battle_log.h"
#include "series/series_ingestion.h"

namespace kordex {

// The export's battle log as the log a series run writes while ExportAllHTML is on.
class BattleLogHook : public SeriesBattleLog {
  public:
    // Saved in the program's folder under the time stamp, as the window does.
    explicit BattleLogHook(HtmlBattleLog& log) : log_(log) {}
    // Saved at the given path whatever the time (the CLI's --log).
    BattleLogHook(HtmlBattleLog& log, std::string path) : log_(log), path_(std::move(path)) {}

    void Begin() override { log_.Begin(); }
    void AddBattle(const std::string& dateTime, const std::string& mapText,
                   const std::string& outcome, const VehicleTable& vehicles) override {
        log_.AddBattle(dateTime, mapText, outcome, vehicles);
    }
    void Finish(const LocalDateTime& stamp) override;

  private:
    HtmlBattleLog& log_;
    std::string path_;
};

}  // namespace kordex
