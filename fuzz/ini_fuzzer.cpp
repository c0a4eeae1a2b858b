// Arbitrary text as tanks.ini: the INI reader, the vehicle name lookup, the settings read and
// the text the settings write would put on the disk.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "replay/vehicle_names.h"
#include "text/ini_file.h"
#include "window/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kordex::IniFile ini = kordex::IniFile::FromText(text);
    FUZZ_CHECK(ini.Present());
    (void)kordex::VehicleNameFromIni(ini, "ussr:R04_T-34");
    (void)kordex::VehicleNameFromIni(ini, text.substr(0, 64));

    const kordex::SettingsReading reading = kordex::ReadSettings(ini);
    (void)kordex::SettingsProblemsMessage(reading);

    // What is written reads back as the same settings, and writing again changes nothing.
    const std::string written = kordex::ApplySettingsToText(text, reading.settings);
    const kordex::SettingsReading again = kordex::ReadSettings(kordex::IniFile::FromText(written));
    FUZZ_CHECK(again.problems.empty());
    FUZZ_CHECK(again.settings == reading.settings);
    FUZZ_CHECK(kordex::ApplySettingsToText(written, reading.settings) == written);

    // Changed settings land in the file too, whatever it held.
    kordex::Settings changed = reading.settings;
    changed.additional = !changed.additional;
    changed.allReplaysFolder = "C:\\Игры\\World of Tanks\\replays";
    const std::string rewritten = kordex::ApplySettingsToText(text, changed);
    FUZZ_CHECK(kordex::ReadSettings(kordex::IniFile::FromText(rewritten)).settings == changed);
    return 0;
}
