#include "platform/user_folders.h"

#include <QStandardPaths>

namespace kordex::app {

FolderChoices UserFolders(const std::string& programFolder) {
    using Paths = QStandardPaths;
    return {programFolder, Paths::writableLocation(Paths::AppConfigLocation).toStdString(),
            Paths::writableLocation(Paths::DocumentsLocation).toStdString(),
            Paths::writableLocation(Paths::CacheLocation).toStdString()};
}

}  // namespace kordex::app
