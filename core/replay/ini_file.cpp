#include "replay/ini_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include "replay/letter_case.h"
#include "tables/windows1251.h"

namespace kordex {

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Calls visit for every line of the text, without its ending (LF, CR LF or a lone CR).
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            visit(text.substr(start));
            return;
        }
        visit(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

IniLine ClassifyIniLine(std::string_view line) {
    const auto text = Trim(line);
    IniLine result;
    if (text.empty() || text.front() == ';')
        return result;
    if (text.front() == '[') {
        // A section line without its closing bracket names the rest of the line.
        auto name = text.substr(1);
        name = name.substr(0, name.find(']'));
        result.kind = IniLine::Kind::Section;
        result.name = Trim(name);
        return result;
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos)
        return result;
    result.kind = IniLine::Kind::Entry;
    result.name = Trim(text.substr(0, equals));
    result.value = Trim(text.substr(equals + 1));
    return result;
}

IniFile IniFile::FromText(std::string_view text) {
    // Files edited on players' machines are often in the ANSI code page, not UTF-8.
    std::string utf8 = IsValidUtf8(text) ? std::string(text) : Windows1251ToUtf8(text);
    std::string_view body = utf8;
    if (body.starts_with(kUtf8Bom))
        body.remove_prefix(kUtf8Bom.size());

    IniFile ini;
    ini.present_ = true;
    std::string section;  // lines before the first section belong to a nameless one
    ForEachLine(body, [&](std::string_view line) {
        const IniLine parsed = ClassifyIniLine(line);
        if (parsed.kind == IniLine::Kind::Section)
            section = FoldLetterCase(parsed.name);
        else if (parsed.kind == IniLine::Kind::Entry)
            ini.entries_.push_back(
                {section, FoldLetterCase(parsed.name), std::string(parsed.value)});
    });
    // Stable, so that of two lines with the same key the first one stays first and wins.
    std::stable_sort(ini.entries_.begin(), ini.entries_.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.section, a.key) < std::tie(b.section, b.key);
    });
    return ini;
}

IniFile IniFile::Load(const std::string& path) {
    std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())),
                     std::ios::binary);
    if (!in)
        return {};
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return {};
    return FromText(bytes);
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const Entry probe{FoldLetterCase(section), FoldLetterCase(key), {}};
    const auto found = std::lower_bound(
        entries_.begin(), entries_.end(), probe, [](const Entry& a, const Entry& b) {
            return std::tie(a.section, a.key) < std::tie(b.section, b.key);
        });
    if (found == entries_.end() || found->section != probe.section || found->key != probe.key)
        return std::nullopt;
    return found->value;
}

}  // namespace kordex
