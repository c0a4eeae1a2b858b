// Arbitrary text as tanks.ini: the INI reader, the vehicle name lookup, the settings read, the
// text the settings write would put on the disk, and the write itself beside a planted link
// under the name the temporary file once had.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "replay/vehicle_names.h"
#include "text/ini_file.h"
#include "window/settings_file.h"

namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The settings written into the text on the disk: through a link when `throughLink`, beside a
// link planted at "tanks.ini.new" and a user's own file at "tanks.ini.tmp". Only tanks.ini (or
// the file its link names) changes, and it reads back as the settings.
void WriteBesidePlantedFiles(std::string_view text, const kordex::Settings& settings,
                             bool throughLink) {
    static const fs::path folder = [] {
        std::string path = (fs::temp_directory_path() / "kordex-ini-fuzz-XXXXXX").string();
        FUZZ_CHECK(::mkdtemp(path.data()) != nullptr);
        return fs::path(path);
    }();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        fs::remove_all(entry.path(), error);
    const fs::path ini = folder / "tanks.ini";
    const fs::path real = throughLink ? folder / "real.ini" : ini;
    Put(real, text);
    if (throughLink)
        fs::create_symlink("real.ini", ini);
    Put(folder / "victim", "another file");
    fs::create_symlink("victim", folder / "tanks.ini.new");
    Put(folder / "tanks.ini.tmp", "the user's own");
    const auto before = Entries(folder);

    const kordex::SettingsWriteResult result = kordex::WriteSettings(ini.string(), settings);
    FUZZ_CHECK(result.status == kordex::SettingsWriteStatus::Written);
    FUZZ_CHECK(Bytes(real) == kordex::ApplySettingsToText(text, settings));
    FUZZ_CHECK(Bytes(folder / "victim") == "another file");
    FUZZ_CHECK(Bytes(folder / "tanks.ini.tmp") == "the user's own");
    FUZZ_CHECK(fs::is_symlink(folder / "tanks.ini.new"));
    FUZZ_CHECK(fs::is_symlink(ini) == throughLink);
    FUZZ_CHECK(Entries(folder) == before);
}

}  // namespace

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

    WriteBesidePlantedFiles(text, changed, size % 2 == 1);
    return 0;
}
