#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/file_io.h"

namespace kordex {

// The file operations whose outcome the logic looks at. Paths are UTF-8.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    virtual bool FileExists(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // Creates the folder (and missing parents); succeeds when it exists afterwards.
    virtual FileResult CreateFolder(const std::string& path) = 0;
    // Moves a file; fails, touching nothing, when the target already exists.
    virtual FileResult MoveFileNoReplace(const std::string& from, const std::string& to) = 0;
    // Moves a file into the desktop's trash; succeeds only when it is there.
    virtual FileResult MoveToTrash(const std::string& path) = 0;

    // The whole-file read and the atomic replacement of file_io.h.
    virtual FileBytes ReadFile(const std::filesystem::path& path, std::size_t limit) {
        return ReadWholeFile(path, limit);
    }
    virtual FileResult ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
        return kordex::ReplaceFile(path, bytes);
    }
    // Whether a file can be made in the folder, found by making one: on Windows the folder's
    // access rules, not its attributes, say so.
    virtual FileResult FolderWritable(const std::string& path) = 0;
    // Copies a file; fails, touching nothing, when the target already exists.
    virtual FileResult CopyFileNoReplace(const std::string& from, const std::string& to) = 0;
};

}  // namespace kordex
