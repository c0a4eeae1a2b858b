#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "window/settings_file.h"
#include "window/window_state.h"

namespace kordex {

struct StartUpOutcome {
    // The settings the controls take; none when there is no settings file.
    std::optional<Settings> settings;
    // The automatic scan of the library folder runs, and the window opens on the library.
    bool scanLibrary = false;
};

// The start-up sequence as far as it needs no widget: the battle tables, the labels and the
// three path lists emptied, every table titled, the library sort reset, the settings read (the
// values that are not a boolean are reported in one message and keep the window's values; the
// start-up goes on, so that no setting is lost at close) and the automatic scan decided: it
// runs when the settings ask for it and name a folder that exists.
StartUpOutcome StartUpSequence(WindowState& state, Platform& platform,
                               const std::string& settingsPath);

// The shut-down: the settings go into the settings file only when it still exists (it is never
// created); a failure to write them is shown in a message.
void SaveSettingsAtClose(const std::string& settingsPath, const Settings& settings,
                         Platform& platform);

}  // namespace kordex
