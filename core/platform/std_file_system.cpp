#include "platform/std_file_system.h"

#include <fcntl.h>
#include <stdio.h>

#include <cerrno>
#include <filesystem>

namespace kordex {

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& utf8) {
    return Utf8Path(utf8);
}

FileResult Failed(const std::error_code& error) {
    return FileResult::Failure(FileFault::Write, error.message());
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

FileResult StdFileSystem::CreateFolder(const std::string& path) {
    std::error_code error;
    fs::create_directories(PathOf(path), error);
    std::error_code checked;
    if (fs::is_directory(PathOf(path), checked))
        return {};
    return FileResult::Failure(FileFault::Write,
                               error ? error.message() : std::string("это не папка"));
}

FileResult StdFileSystem::MoveFileNoReplace(const std::string& from, const std::string& to) {
    // renameat2 with RENAME_NOREPLACE makes the check and the move one step, so a file that
    // appears at the target in between is never overwritten.
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EXDEV)
        return Failed(std::error_code(errno, std::generic_category()));
    // Another file system: copy without overwriting, then remove the source. A move that
    // fails half-way takes its copy back, so the file is in exactly one place; a file that was
    // at the target before is someone else's and is never touched.
    std::error_code error;
    if (fs::exists(PathOf(to), error))
        return Failed(std::make_error_code(std::errc::file_exists));
    if (error)
        return Failed(error);
    if (!fs::copy_file(PathOf(from), PathOf(to), fs::copy_options::none, error)) {
        if (error != std::errc::file_exists) {
            std::error_code ignored;
            fs::remove(PathOf(to), ignored);  // a partial copy of ours
        }
        return Failed(error);
    }
    fs::remove(PathOf(from), error);
    if (error) {
        std::error_code ignored;
        fs::remove(PathOf(to), ignored);
        return Failed(error);
    }
    return {};
}

FileResult StdFileSystem::MoveToTrash(const std::string&) {
    return FileResult::Failure(FileFault::Write, "корзины нет");
}

}  // namespace kordex
