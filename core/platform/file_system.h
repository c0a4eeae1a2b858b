#pragma once

#include <string>

namespace kordex {

// The file operations whose outcome the logic looks at. Paths are UTF-8.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    virtual bool FileExists(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // Creates the folder (and missing parents); true when it exists afterwards.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Moves a file; fails, touching nothing, when the target already exists.
    virtual bool MoveFileNoReplace(const std::string& from, const std::string& to) = 0;
    // Moves a file into the desktop's trash; true only when it is there.
    virtual bool MoveToTrash(const std::string& path) = 0;
    // Whether a file can be made in the folder, found by making one: on Windows the folder's
    // access rules, not its attributes, say so.
    virtual bool FolderWritable(const std::string& path) = 0;
    // Copies a file; fails, touching nothing, when the target already exists.
    virtual bool CopyFileNoReplace(const std::string& from, const std::string& to) = 0;
};

}  // namespace kordex
