#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kordex {

// One line of an INI text as the reader sees it, without its line ending: "[name]" opens a
// section, "key=value" gives a value (both trimmed of spaces and tabs), anything else (blank
// lines, ";" comments, text without "=") is ignored.
struct IniLine {
    enum class Kind { Other, Section, Entry };
    Kind kind = Kind::Other;
    std::string_view name;   // the section's or the key's name
    std::string_view value;  // the entry's value
};
IniLine ClassifyIniLine(std::string_view line);

// An INI text: "[section]" lines open sections, "key=value" lines give values; section and key
// names match without regard to letter case. The text is UTF-8; a file that is not valid UTF-8
// is read as windows-1251.
class IniFile {
  public:
    IniFile() = default;  // no file: every lookup is absent
    static IniFile FromText(std::string_view text);
    // Reads the file; an absent or unreadable file gives an empty IniFile. `bytes`, when
    // given, receives the file as read (empty when it could not be), for a caller that needs
    // the text too and should not read the file twice.
    static IniFile Load(const std::string& path, std::string* bytes = nullptr);

    bool Present() const { return present_; }
    // The value of the key's first line in the section, or nothing when either is absent.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  private:
    bool present_ = false;
    // "section\nkey", both folded to lower case (no name holds a line feed), to the value of
    // that key's first line. The window reads the whole file for every batch of vehicle names.
    std::unordered_map<std::string, std::string> values_;
};

}  // namespace kordex
