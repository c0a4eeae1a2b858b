#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/std_file_system.h"

namespace kordex::test {

// The real file system with every call recorded ("move A -> B", "trash P", "mkdir P"), and a
// trash that takes files into a list instead of the desktop's trash; paths in refuseTrash fail.
// Folders in readOnlyFolders are not writable, as a system folder is to a user (the tests run
// as root, whom file modes do not stop).
class RecordingFileSystem : public FileSystem {
  public:
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    FileResult CreateFolder(const std::string& path) override;
    FileResult MoveFileNoReplace(const std::string& from, const std::string& to) override;
    FileResult MoveToTrash(const std::string& path) override;
    FileResult FolderWritable(const std::string& path) override;
    FileResult CopyFileNoReplace(const std::string& from, const std::string& to) override;

    std::vector<std::string> calls;
    std::vector<std::string> trashed;
    std::set<std::string> refuseTrash;
    std::set<std::string> readOnlyFolders;

  private:
    StdFileSystem real_;
};

}  // namespace kordex::test
