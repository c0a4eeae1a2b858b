#include "window/window_lifecycle.h"

#include "replay/battle_tables.h"

namespace kordex {

StartUpOutcome StartUpSequence(WindowState& state, Platform& platform,
                               const std::string& settingsPath) {
    // The battle tables; a series run starts its own with every run.
    ResetBattleTables(state.singleView.tables);
    // The personal panel's zero state.
    ZeroLables(state.labels);
    state.singleView.replayPath.clear();
    state.series.lb_ReplaysList.Clear();
    state.tables.library.allReplaysList.clear();
    state.tables.library.favoriteReplaysList.clear();
    SetTableTitles(state.tables);
    // The first click on a library title sorts descending, except on column 0.
    state.librarySort.Reset();

    StartUpOutcome outcome;
    SettingsReading reading = ReadSettings(settingsPath);
    if (!reading.problems.empty())
        platform.desktop.ShowMessage(SettingsProblemsMessage(reading));
    if (!reading.filePresent)
        return outcome;
    state.programSettings = reading.settings;
    // A value that is not a boolean stops the start-up before the scan.
    outcome.scanLibrary =
        StartUpScansFolder(reading, platform.files.FolderExists(reading.settings.allReplaysFolder));
    outcome.settings = std::move(reading.settings);
    return outcome;
}

void SaveSettingsAtClose(const std::string& settingsPath, const Settings& settings,
                         Platform& platform) {
    if (!platform.files.FileExists(settingsPath))
        return;
    const SettingsWriteResult result = WriteSettings(settingsPath, settings, platform.files);
    if (result.status == SettingsWriteStatus::Failed)
        platform.desktop.ShowMessage(result.description);
}

}  // namespace kordex
