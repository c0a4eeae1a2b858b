#include "text/ini_file.h"

#include <algorithm>

#include "platform/file_io.h"
#include "text/letter_case.h"
#include "text/utf8.h"
#include "text/windows1251.h"

namespace kordex {

namespace {

constexpr std::size_t kLoadLimit = 64u << 20;

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
        // A plain loop: find_first_of would call memchr once for every character.
        std::size_t end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        if (end == text.size()) {
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

std::string LookupKey(std::string_view foldedSection, std::string_view foldedKey) {
    std::string lookup;
    lookup.reserve(foldedSection.size() + 1 + foldedKey.size());
    lookup.append(foldedSection).append(1, '\n').append(foldedKey);
    return lookup;
}

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
            // Of two lines with the same key the first one stays.
            ini.values_.try_emplace(LookupKey(section, FoldLetterCase(parsed.name)), parsed.value);
    });
    return ini;
}

IniFile IniFile::Load(const std::string& path, std::string* bytes) {
    // A settings file is a few kilobytes; a pipe, a folder or a giant under its name is none.
    FileBytes file = ReadWholeFile(Utf8Path(path), kLoadLimit);
    if (!file.result) {
        if (bytes)
            bytes->clear();
        return {};
    }
    IniFile ini = FromText(file.bytes);
    if (bytes)
        *bytes = std::move(file.bytes);
    return ini;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const auto found = values_.find(LookupKey(FoldLetterCase(section), FoldLetterCase(key)));
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

}  // namespace kordex
