#include "export/export_file.h"

#include <cstdio>
#include <filesystem>
#include <limits>
#include <random>

#include "platform/file_io.h"
#include "platform/kordex_error.h"

namespace kordex {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void FailWriting(const std::string& path, const std::string& reason) {
    throw KordexError("Не удалось записать файл \"" + path + "\": " + reason + ".");
}

// A folder of our own under the temporary folder, so that no other file can stand at the
// scratch path: create_directory makes it or finds the name taken.
fs::path ScratchFolder(const std::string& path) {
    std::random_device random;
    std::error_code error;
    const fs::path temporary = fs::temp_directory_path(error);
    if (error)
        FailWriting(path, error.message());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = temporary / ("kordex-" + std::to_string(random()));
        if (fs::create_directory(folder, error))
            return folder;
        if (error)
            FailWriting(path, error.message());
    }
    FailWriting(path, "временная папка не создаётся");
}

}  // namespace

std::string FileTimeStamp(const LocalDateTime& time) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d.%02d.%02d %02d.%02d.%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return buffer;
}

std::string ProgramFilePath(std::string_view programFolder, std::string_view fileName) {
    std::string path(programFolder);
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    path += fileName;
    return path;
}

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
    if (const FileResult written = ReplaceFile(Utf8Path(path), bytes); !written)
        FailWriting(path, written.reason);
}

std::string BytesWrittenToScratch(
    const std::string& path, const std::function<bool(const std::string& scratchPath)>& write) {
    const fs::path folder = ScratchFolder(path);
    struct RemoveFolder {
        const fs::path& folder;
        ~RemoveFolder() {
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        }
    } removeFolder{folder};
    const fs::path scratch = folder / "scratch";
    const std::u8string scratchUtf8 = scratch.u8string();
    if (!write(std::string(scratchUtf8.begin(), scratchUtf8.end())))
        FailWriting(path, "файл не записан");
    const FileBytes written = ReadWholeFile(scratch, std::numeric_limits<std::size_t>::max());
    if (!written.result)
        FailWriting(path, written.result.reason);
    return written.bytes;
}

}  // namespace kordex
