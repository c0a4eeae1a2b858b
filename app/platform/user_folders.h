#pragma once

#include <string>

#include "window/file_places.h"

namespace kordex::app {

// The program's folder with the user's configuration, documents and cache folders as the
// desktop names them.
FolderChoices UserFolders(const std::string& programFolder);

}  // namespace kordex::app
