#pragma once

#include "platform/file_system.h"

namespace kordex {

// The file operations with the standard library; the trash is the desktop's, so a front end
// without one (the CLI) reports every trash move as failed.
class StdFileSystem : public FileSystem {
  public:
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    FileResult CreateFolder(const std::string& path) override;
    FileResult MoveFileNoReplace(const std::string& from, const std::string& to) override;
    FileResult MoveToTrash(const std::string& path) override;
    FileResult FolderWritable(const std::string& path) override;
    FileResult CopyFileNoReplace(const std::string& from, const std::string& to) override;
};

}  // namespace kordex
