#pragma once

#include "platform/file_system.h"

namespace kordex::app {

// The file operations through Qt, so that the trash is the desktop's own.
class QtFileSystem : public FileSystem {
  public:
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    FileResult CreateFolder(const std::string& path) override;
    FileResult MoveFileNoReplace(const std::string& from, const std::string& to) override;
    FileResult MoveToTrash(const std::string& path) override;
    FileResult FolderWritable(const std::string& path) override;
    FileResult CopyFileNoReplace(const std::string& from, const std::string& to) override;
};

}  // namespace kordex::app
