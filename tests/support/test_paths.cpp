#include "support/test_paths.h"

#include <cstdlib>
#include <filesystem>
#include <random>

namespace kordex::test {

namespace fs = std::filesystem;

std::string SharedReplaysFolder() {
    std::error_code error;
    if (fs::is_directory(KORDEX_SHARED_REPLAYS, error))
        return KORDEX_SHARED_REPLAYS;
    return {};
}

TempFolder::TempFolder() {
    std::random_device random;
    fs::path path;
    do {
        path = fs::temp_directory_path() / ("kordex-test-" + std::to_string(random()));
    } while (fs::exists(path));
    fs::create_directories(path);
    path_ = path.string();
}

TempFolder::~TempFolder() {
    std::error_code error;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
}

}  // namespace kordex::test
