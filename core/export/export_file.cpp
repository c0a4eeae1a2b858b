#include "export/export_file.h"

#include <stdlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

#include "platform/file_io.h"
#include "platform/kordex_error.h"

namespace kordex {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void FailWriting(const std::string& path, const std::string& reason) {
    throw KordexError("Не удалось записать файл \"" + path + "\": " + reason + ".");
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
    // A folder of our own, so that no other file can stand at the scratch path.
    std::string folder = (fs::temp_directory_path() / "kordex-XXXXXX").string();
    if (!::mkdtemp(folder.data()))
        FailWriting(path, std::strerror(errno));
    struct RemoveFolder {
        const std::string& folder;
        ~RemoveFolder() {
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        }
    } removeFolder{folder};
    const std::string scratch = folder + "/scratch";
    if (!write(scratch))
        FailWriting(path, "файл не записан");
    const FileBytes written = ReadWholeFile(scratch, std::numeric_limits<std::size_t>::max());
    if (!written.result)
        FailWriting(path, written.result.reason);
    return written.bytes;
}

}  // namespace kordex
