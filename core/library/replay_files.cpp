#include "library/replay_files.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "platform/file_io.h"
#include "text/letter_case.h"
#include "text/text_collation.h"

namespace kordex {

namespace fs = std::filesystem;

namespace {

bool EndsWithReplayExtension(const std::string& name) {
    static const std::string kExtension = ".wotreplay";
    if (name.size() < kExtension.size())
        return false;
    return EqualIgnoringCase(std::string_view(name).substr(name.size() - kExtension.size()),
                             kExtension);
}

}  // namespace

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
    fs::directory_iterator entries(Utf8Path(prefix), error);
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
    // The folder is the same in every path: the names alone decide the order.
    SortLikeListBox(names);
    paths.reserve(names.size());
    for (const std::string& name : names)
        paths.push_back(prefix + name);
    return paths;
}

}  // namespace kordex
