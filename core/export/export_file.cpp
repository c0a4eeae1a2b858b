#include "export/export_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/kordex_error.h"

namespace kordex {

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

[[noreturn]] void FailWriting(const std::string& path) {
    throw KordexError("Не удалось записать файл \"" + path + "\".");
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

void WriteFileReplacing(const std::string& path,
                        const std::function<bool(const std::string& temporaryPath)>& write) {
    const std::string temporary = path + ".writing";
    std::error_code error;
    const auto discardTemporary = [&] { fs::remove(PathOf(temporary), error); };
    try {
        if (!write(temporary))
            FailWriting(path);
    } catch (...) {
        discardTemporary();
        throw;
    }
    fs::rename(PathOf(temporary), PathOf(path), error);
    if (error) {
        discardTemporary();
        FailWriting(path);
    }
}

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
    WriteFileReplacing(path, [bytes](const std::string& temporaryPath) {
        std::ofstream file(PathOf(temporaryPath), std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        return !file.fail();
    });
}

}  // namespace kordex
