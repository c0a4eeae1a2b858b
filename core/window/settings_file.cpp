#include "window/settings_file.h"

#include <algorithm>
#include <map>

#include "platform/std_file_system.h"
#include "text/letter_case.h"
#include "text/utf8.h"
#include "text/windows1251.h"

namespace kordex {

namespace {

// One key of section "options": either a boolean or a text member, and the value a file that
// lacks the key gives it.
struct OptionKey {
    std::string_view key;
    bool Settings::*flag;
    std::string Settings::*text;
    std::string_view absentValue;
};

// In the order the keys are read and written.
const OptionKey kKeys[] = {
    {"Additional", &Settings::additional, nullptr, "false"},
    {"ToBegin", &Settings::toBegin, nullptr, "false"},
    {"Group", &Settings::group, nullptr, "false"},
    {"AllReplaysFolder", nullptr, &Settings::allReplaysFolder, kFolderKeyAbsentPrompt},
    {"AutoProcessReplays", &Settings::autoProcessReplays, nullptr, "false"},
    {"ExportAllHTML", &Settings::exportAllHtml, nullptr, "false"},
    {"RemoteExport", &Settings::remoteExport, nullptr, "false"},
    {"RemoteServerAddress", nullptr, &Settings::remoteServerAddress, ""},
    {"RemoteServerPort", nullptr, &Settings::remoteServerPort, "80"},
};

// A value on one line: line breaks in a text (a pasted folder path) would otherwise start new
// lines, even new sections, in the file.
std::string OneLine(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n')
            c = ' ';
    return value;
}

std::string ValueOf(const Settings& settings, const OptionKey& option) {
    if (option.flag)
        return std::string(BooleanText(settings.*option.flag));
    // Stray bytes that are not UTF-8 would make the whole file read as windows-1251 and garble
    // its names; they are taken as that code page here instead.
    const std::string& text = settings.*option.text;
    return OneLine(IsValidUtf8(text) ? text : Windows1251ToUtf8(text));
}

struct TextLine {
    std::string content;
    std::string ending;  // "\r\n", "\n", "\r" or empty for a last line without one
};

std::vector<TextLine> SplitLines(std::string_view text) {
    std::vector<TextLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back({std::string(text.substr(start)), ""});
            break;
        }
        std::size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n')
            ++next;
        lines.push_back({std::string(text.substr(start, end - start)),
                         std::string(text.substr(end, next - end))});
        start = next;
    }
    return lines;
}

enum class Encoding { Utf8, Windows1251 };

// The text with the nine keys' lines set to the values, which are in the text's encoding. Only
// UTF-8 has a byte order mark; in windows-1251 those three bytes are letters, as the reader
// takes them.
std::string SetOptionLines(std::string text, const std::vector<std::string>& values,
                           Encoding encoding) {
    std::string bom;
    if (encoding == Encoding::Utf8 && text.starts_with("\xEF\xBB\xBF")) {
        bom = text.substr(0, 3);
        text.erase(0, 3);
    }
    std::vector<TextLine> lines = SplitLines(text);
    std::string newLineEnding = "\n";
    for (const auto& line : lines)
        if (!line.ending.empty()) {
            newLineEnding = line.ending;
            break;
        }

    // The first "options" section: its header line and the line after its last key.
    std::optional<std::size_t> header;
    std::size_t sectionEnd = lines.size();
    std::size_t insertAt = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const IniLine parsed = ClassifyIniLine(lines[i].content);
        if (parsed.kind == IniLine::Kind::Section) {
            if (header) {
                sectionEnd = i;
                break;
            }
            if (EqualIgnoringCase(parsed.name, kSettingsSection)) {
                header = i;
                insertAt = i + 1;
            }
        } else if (header && parsed.kind == IniLine::Kind::Entry) {
            insertAt = i + 1;
        }
    }

    // Replace the keys the section has; collect the ones it lacks.
    std::vector<TextLine> missing;
    for (std::size_t k = 0; k < std::size(kKeys); ++k) {
        const std::string_view key = kKeys[k].key;
        bool found = false;
        for (std::size_t i = header ? *header + 1 : sectionEnd; i < sectionEnd && !found; ++i) {
            const IniLine parsed = ClassifyIniLine(lines[i].content);
            if (parsed.kind != IniLine::Kind::Entry || !EqualIgnoringCase(parsed.name, key))
                continue;
            found = true;
            // An unchanged value keeps its line as the user wrote it.
            if (parsed.value != values[k])
                lines[i].content = std::string(parsed.name) + "=" + values[k];
        }
        if (!found)
            missing.push_back({std::string(key) + "=" + values[k], newLineEnding});
    }
    if (!header) {
        missing.insert(missing.begin(), {"[" + std::string(kSettingsSection) + "]", newLineEnding});
        insertAt = lines.size();
    }
    if (!missing.empty()) {
        // A line without an ending before the added ones would otherwise run into them.
        if (insertAt > 0 && lines[insertAt - 1].ending.empty())
            lines[insertAt - 1].ending = newLineEnding;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), missing.begin(),
                     missing.end());
    }

    std::string out = bom;
    for (const auto& line : lines)
        out += line.content + line.ending;
    return out;
}

}  // namespace

SettingsReading ReadSettings(const IniFile& ini) {
    SettingsReading reading;
    reading.filePresent = ini.Present();
    if (!ini.Present())
        return reading;
    for (const auto& option : kKeys) {
        const auto value = ini.Value(kSettingsSection, option.key);
        const std::string text = value ? *value : std::string(option.absentValue);
        if (option.text) {
            reading.settings.*option.text = text;
            continue;
        }
        if (const auto flag = ParseBooleanText(text)) {
            reading.settings.*option.flag = *flag;
        } else {
            // One bad value must not cost the others: it keeps the window's value.
            reading.problems.push_back("Значение \"" + text + "\" параметра " +
                                       std::string(option.key) + " в файле " +
                                       std::string(kSettingsFileName) +
                                       " не является логическим (true, false или число); "
                                       "параметр выключен.");
        }
    }
    return reading;
}

SettingsReading ReadSettings(const std::string& path) {
    return ReadSettings(IniFile::Load(path));
}

std::string SettingsProblemsMessage(const SettingsReading& reading) {
    std::string message;
    for (const auto& problem : reading.problems) {
        if (!message.empty())
            message += '\n';
        message += problem;
    }
    return message;
}

std::string ApplySettingsToText(std::string_view fileBytes, const Settings& settings) {
    std::vector<std::string> values;
    for (const auto& option : kKeys)
        values.push_back(ValueOf(settings, option));
    if (IsValidUtf8(fileBytes))
        return SetOptionLines(std::string(fileBytes), values, Encoding::Utf8);

    // A windows-1251 file stays in its code page when every value can be written in it, and
    // when it still reads as that code page afterwards: had the replaced lines held its only
    // bytes that are not UTF-8, its other names would read as UTF-8 next time, garbled.
    std::vector<std::string> encoded;
    for (const auto& value : values)
        if (auto bytes = Utf8ToWindows1251(value))
            encoded.push_back(std::move(*bytes));
    if (encoded.size() == values.size()) {
        std::string updated =
            SetOptionLines(std::string(fileBytes), encoded, Encoding::Windows1251);
        const bool ascii = std::all_of(updated.begin(), updated.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (ascii || !IsValidUtf8(updated))
            return updated;
    }
    return SetOptionLines(Windows1251ToUtf8(fileBytes), values, Encoding::Utf8);
}

bool StartUpScansFolder(const SettingsReading& reading, bool folderExists) {
    return reading.filePresent && reading.problems.empty() && reading.settings.autoProcessReplays &&
           folderExists;
}

SettingsWriteResult WriteSettings(const std::string& path, const Settings& settings,
                                  FileSystem& files) {
    const std::string failurePrefix =
        "Не удалось записать настройки в файл " + std::string(kSettingsFileName) + ": ";
    // The file is never created: without it the program has no vehicle names either.
    if (!files.FileExists(path))
        return {SettingsWriteStatus::FileAbsent, {}};
    const FileBytes old = files.ReadFile(Utf8Path(path), kSettingsFileLimit);
    if (old.result.fault == FileFault::Absent || old.result.fault == FileFault::NotRegularFile)
        return {SettingsWriteStatus::FileAbsent, {}};
    if (!old.result)
        return {SettingsWriteStatus::Failed, failurePrefix + old.result.reason};

    const std::string updated = ApplySettingsToText(old.bytes, settings);
    if (updated == old.bytes)
        return {SettingsWriteStatus::Written, {}};
    if (const FileResult replaced = files.ReplaceFile(Utf8Path(path), updated); !replaced)
        return {SettingsWriteStatus::Failed, failurePrefix + replaced.reason};
    return {SettingsWriteStatus::Written, {}};
}

SettingsWriteResult WriteSettings(const std::string& path, const Settings& settings) {
    StdFileSystem files;
    return WriteSettings(path, settings, files);
}

}  // namespace kordex
