#include "platform/std_file_system.h"

#include <fcntl.h>
#include <stdio.h>

#include <cerrno>
#include <filesystem>

namespace kordex {

namespace fs = std::filesystem;

namespace {
fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}
}  // namespace

bool StdFileSystem::FileExists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(PathOf(path), error);
}

bool StdFileSystem::FolderExists(const std::string& path) {
    std::error_code error;
    return fs::is_directory(PathOf(path), error);
}

bool StdFileSystem::CreateFolder(const std::string& path) {
    std::error_code error;
    fs::create_directories(PathOf(path), error);
    return fs::is_directory(PathOf(path), error);
}

bool StdFileSystem::MoveFileNoReplace(const std::string& from, const std::string& to) {
    // renameat2 with RENAME_NOREPLACE makes the check and the move one step, so a file that
    // appears at the target in between is never overwritten.
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    // Another file system: copy without overwriting, then remove the source. A move that
    // fails half-way takes its copy back, so the file is in exactly one place; a file that was
    // at the target before is someone else's and is never touched.
    std::error_code error;
    if (fs::exists(PathOf(to), error) || error)
        return false;
    if (!fs::copy_file(PathOf(from), PathOf(to), fs::copy_options::none, error)) {
        if (error != std::errc::file_exists) {
            std::error_code ignored;
            fs::remove(PathOf(to), ignored);  // a partial copy of ours
        }
        return false;
    }
    fs::remove(PathOf(from), error);
    if (error) {
        std::error_code ignored;
        fs::remove(PathOf(to), ignored);
        return false;
    }
    return true;
}

bool StdFileSystem::MoveToTrash(const std::string&) {
    return false;
}

}  // namespace kordex
