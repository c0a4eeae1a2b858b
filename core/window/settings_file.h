#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "text/boolean_text.h"
#include "text/ini_file.h"

namespace kordex {

// The file next to the executable that holds the options and the vehicle display names.
inline constexpr std::string_view kSettingsFileName = "tanks.ini";
inline constexpr std::string_view kSettingsSection = "options";
// A settings file is a few kilobytes; one far larger is not read whole.
inline constexpr std::size_t kSettingsFileLimit = 64u << 20;

// The folder field's own prompt, and the prompt a settings file without the key gives it.
inline constexpr std::string_view kFolderFieldPrompt = "Укажите путь к реплеям -->";
inline constexpr std::string_view kFolderKeyAbsentPrompt = "Укажите папку с реплеями -->";

// The options kept in section "options", in the order of its keys. The initial values are the
// window's own, which stand when there is no file.
struct Settings {
    bool additional = false;                           // "Additional": MultiAdditional
    bool toBegin = false;                              // "ToBegin": MultiToBegin
    bool group = false;                                // "Group": MultiGroupPlayers
    std::string allReplaysFolder{kFolderFieldPrompt};  // "AllReplaysFolder"
    bool autoProcessReplays = false;                   // "AutoProcessReplays"
    bool exportAllHtml = false;                        // "ExportAllHTML": no control
    bool remoteExport = false;                         // "RemoteExport"
    std::string remoteServerAddress;                   // "RemoteServerAddress"
    std::string remoteServerPort;                      // "RemoteServerPort"

    bool operator==(const Settings&) const = default;
};

struct SettingsReading {
    bool filePresent = false;
    Settings settings;
    // One description per value that is not a boolean text; such a key keeps the window's
    // value and the keys after it are still read.
    std::vector<std::string> problems;
};

SettingsReading ReadSettings(const IniFile& ini);
// An absent file gives the window's values and no problems.
SettingsReading ReadSettings(const std::string& path);

// Whether start-up scans the folder: the settings ask for it and were read without a problem
// (a value that is not a boolean stops the start-up there, the scan included), and the folder
// exists.
bool StartUpScansFolder(const SettingsReading& reading, bool folderExists);

// The problems of a reading as one message text, empty when there are none.
std::string SettingsProblemsMessage(const SettingsReading& reading);

// The file's bytes with the nine keys of section "options" set to the settings: a key's first
// line in the section is replaced when its value differs, a missing key is added after the
// section's last key, a missing section is added at the end. Every other line keeps its bytes
// and line ending. A windows-1251 file stays windows-1251 unless a value cannot be written in
// that code page; then the whole file is turned into UTF-8, which keeps every name readable.
std::string ApplySettingsToText(std::string_view fileBytes, const Settings& settings);

enum class SettingsWriteStatus { Written, FileAbsent, Failed };

struct SettingsWriteResult {
    SettingsWriteStatus status = SettingsWriteStatus::Failed;
    std::string description;  // why it failed
};

// Writes the settings into an existing file; the file is never created. The file is replaced
// whole (FileSystem::ReplaceFile), so a crash or a full disk leaves the old or the new text.
[[nodiscard]] SettingsWriteResult WriteSettings(const std::string& path, const Settings& settings,
                                                FileSystem& files);
[[nodiscard]] SettingsWriteResult WriteSettings(const std::string& path, const Settings& settings);

}  // namespace kordex
