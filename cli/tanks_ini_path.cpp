#include "tanks_ini_path.h"

#include <filesystem>

namespace kordex::cli {

std::string TanksIniPath() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "tanks.ini";
    return (self.parent_path() / "tanks.ini").string();
}

}  // namespace kordex::cli
