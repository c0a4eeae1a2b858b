#include "platform/std_file_system.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>
#endif

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>

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
#ifdef _WIN32
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists; across volumes
    // Windows copies and deletes, taking a partial copy back itself.
    return MoveFileExW(PathOf(from).c_str(), PathOf(to).c_str(), MOVEFILE_COPY_ALLOWED) != 0;
#else
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
#endif
}

bool StdFileSystem::MoveToTrash(const std::string&) {
    return false;
}

bool StdFileSystem::FolderWritable(const std::string& path) {
    std::error_code error;
    if (!fs::is_directory(PathOf(path), error))
        return false;
    std::random_device random;
    const fs::path probe = PathOf(path) / (".kordex-probe-" + std::to_string(random()));
    if (fs::exists(probe, error))
        return false;
    bool made = false;
    {
        std::ofstream file(probe, std::ios::binary);
        made = file.is_open();
    }
    if (made)
        fs::remove(probe, error);
    return made;
}

bool StdFileSystem::CopyFileNoReplace(const std::string& from, const std::string& to) {
    std::error_code error;
    if (fs::copy_file(PathOf(from), PathOf(to), fs::copy_options::none, error))
        return true;
    if (error != std::errc::file_exists) {
        std::error_code ignored;
        fs::remove(PathOf(to), ignored);  // a partial copy of ours
    }
    return false;
}

}  // namespace kordex
