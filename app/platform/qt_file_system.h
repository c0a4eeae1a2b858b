#pragma once

#include "platform/file_system.h"

namespace kordex::app {

// The file operations through Qt, so that the trash is the desktop's own.
class QtFileSystem : public FileSystem {
  public:
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool MoveFileNoReplace(const std::string& from, const std::string& to) override;
    bool MoveToTrash(const std::string& path) override;
    bool FolderWritable(const std::string& path) override;
    bool CopyFileNoReplace(const std::string& from, const std::string& to) override;
};

}  // namespace kordex::app
