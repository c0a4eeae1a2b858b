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

#include "platform/file_io.h"

namespace kordex {

namespace fs = std::filesystem;

namespace {

FileResult Failed(const std::error_code& error) {
    return FileResult::Failure(FileFault::Write, error.message());
}

}  // namespace

bool StdFileSystem::FileExists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(Utf8Path(path), error);
}

bool StdFileSystem::FolderExists(const std::string& path) {
    std::error_code error;
    return fs::is_directory(Utf8Path(path), error);
}

FileResult StdFileSystem::CreateFolder(const std::string& path) {
    std::error_code error;
    fs::create_directories(Utf8Path(path), error);
    std::error_code checked;
    if (fs::is_directory(Utf8Path(path), checked))
        return {};
    return FileResult::Failure(FileFault::Write,
                               error ? error.message() : std::string("это не папка"));
}

FileResult StdFileSystem::MoveFileNoReplace(const std::string& from, const std::string& to) {
#ifdef _WIN32
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists; across volumes
    // Windows copies and deletes, taking a partial copy back itself.
    if (MoveFileExW(Utf8Path(from).c_str(), Utf8Path(to).c_str(), MOVEFILE_COPY_ALLOWED) != 0)
        return {};
    return FileResult::Failure(FileFault::Write, "файл не перемещается");
#else
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
    if (fs::exists(Utf8Path(to), error))
        return Failed(std::make_error_code(std::errc::file_exists));
    if (error)
        return Failed(error);
    if (!fs::copy_file(Utf8Path(from), Utf8Path(to), fs::copy_options::none, error)) {
        if (error != std::errc::file_exists) {
            std::error_code ignored;
            fs::remove(Utf8Path(to), ignored);  // a partial copy of ours
        }
        return Failed(error);
    }
    fs::remove(Utf8Path(from), error);
    if (error) {
        std::error_code ignored;
        fs::remove(Utf8Path(to), ignored);
        return Failed(error);
    }
    return {};
#endif
}

FileResult StdFileSystem::MoveToTrash(const std::string&) {
    return FileResult::Failure(FileFault::Write, "корзины нет");
}

FileResult StdFileSystem::FolderWritable(const std::string& path) {
    std::error_code error;
    if (!fs::is_directory(Utf8Path(path), error))
        return FileResult::Failure(FileFault::Absent, "папки нет");
    std::random_device random;
    const fs::path probe = Utf8Path(path) / (".kordex-probe-" + std::to_string(random()));
    if (fs::exists(probe, error))
        return FileResult::Failure(FileFault::Write, "пробный файл уже есть");
    {
        std::ofstream file(probe, std::ios::binary);
        if (!file.is_open())
            return FileResult::Failure(FileFault::ReadOnly, "в папку нельзя записать файл");
    }
    fs::remove(probe, error);
    return {};
}

FileResult StdFileSystem::CopyFileNoReplace(const std::string& from, const std::string& to) {
    std::error_code error;
    if (fs::copy_file(Utf8Path(from), Utf8Path(to), fs::copy_options::none, error))
        return {};
    if (error != std::errc::file_exists) {
        std::error_code ignored;
        fs::remove(Utf8Path(to), ignored);  // a partial copy of ours
    }
    return Failed(error);
}

}  // namespace kordex
