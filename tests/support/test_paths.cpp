#include "support/test_paths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace kordex::test {

namespace fs = std::filesystem;

fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const fs::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

std::string SharedReplaysFolder() {
    std::error_code error;
    if (fs::is_directory(PathOf(KORDEX_SHARED_REPLAYS), error))
        return KORDEX_SHARED_REPLAYS;
    return {};
}

std::vector<std::string> SharedReplayFiles() {
    std::vector<std::string> paths;
    const std::string folder = SharedReplaysFolder();
    if (folder.empty())
        return paths;
    for (const auto& entry : fs::recursive_directory_iterator(PathOf(folder)))
        if (entry.path().extension() == ".wotreplay")
            paths.push_back(Utf8Of(entry.path()));
    std::sort(paths.begin(), paths.end());
    return paths;
}

TempFolder::TempFolder() {
    std::random_device random;
    fs::path path;
    do {
        path = fs::temp_directory_path() / ("kordex-test-" + std::to_string(random()));
    } while (fs::exists(path));
    fs::create_directories(path);
    path_ = Utf8Of(path);
}

TempFolder::~TempFolder() {
    std::error_code error;
    fs::permissions(PathOf(path_), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(PathOf(path_), error);
}

}  // namespace kordex::test
