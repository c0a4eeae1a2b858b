#include "library/replay_files.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace kordex {

namespace fs = std::filesystem;

namespace {

// Lower-cases one UTF-8 character in place: ASCII letters and the Cyrillic capitals.
std::string FoldCase(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
        } else if (c == 0xD0 && next >= 0x90 && next <= 0x9F) {  // А..П
            out += static_cast<char>(0xD0);
            out += static_cast<char>(next + 0x20);
            ++i;
        } else if (c == 0xD0 && next >= 0xA0 && next <= 0xAF) {  // Р..Я
            out += static_cast<char>(0xD1);
            out += static_cast<char>(next - 0x20);
            ++i;
        } else if (c == 0xD0 && next == 0x81) {  // Ё
            out += static_cast<char>(0xD1);
            out += static_cast<char>(0x91);
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool EndsWithReplayExtension(const std::string& name) {
    static const std::string kExtension = ".wotreplay";
    if (name.size() < kExtension.size())
        return false;
    return FoldCase(name.substr(name.size() - kExtension.size())) == kExtension;
}

}  // namespace

bool PathLessIgnoringCase(const std::string& a, const std::string& b) {
    return FoldCase(a) < FoldCase(b);
}

std::string WithFinalSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::vector<std::string> FindReplayFiles(const std::string& folder) {
    std::vector<std::string> paths;
    std::vector<std::string> names;
    const std::string prefix = WithFinalSeparator(folder);
    std::error_code error;
    fs::directory_iterator entries(fs::path(std::u8string(prefix.begin(), prefix.end())), error);
    if (error)
        return paths;
    for (const auto& entry : entries) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError))
            continue;
        const auto u8name = entry.path().filename().u8string();
        const std::string name(u8name.begin(), u8name.end());
        // The game rewrites temp.wotreplay during every battle it records.
        if (name == "temp.wotreplay" || !EndsWithReplayExtension(name))
            continue;
        names.push_back(name);
    }
    // Each name folded once, not once per comparison: a folder may hold thousands. The folder
    // is the same in every path, so the names alone decide the order.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (const std::string& name : names)
        keyed.emplace_back(FoldCase(name), prefix + name);
    paths.resize(keyed.size());
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        paths[i] = std::move(keyed[i].second);
    return paths;
}

}  // namespace kordex
