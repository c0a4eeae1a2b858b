#include "window/library_folder.h"

#include "library/replay_files.h"

namespace kordex {

std::optional<std::string> ChooseLibraryFolder(Platform& platform) {
    const std::optional<std::string> chosen = platform.desktop.ChooseFolder();
    if (!chosen || chosen->empty())
        return std::nullopt;
    std::string folder = WithFinalSeparator(*chosen);
    if (!platform.files.FolderExists(folder))
        return std::nullopt;
    return folder;
}

}  // namespace kordex
