#include "window/library_cache_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "export/export_file.h"
#include "platform/kordex_error.h"

namespace kordex {

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(PathOf(path), std::ios::binary);
    if (!file)
        return {};
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return std::move(bytes).str();
}

}  // namespace

std::string LibraryCachePath(const std::string& cacheFolder) {
    return ProgramFilePath(cacheFolder, "library-rows.cache");
}

LibraryRowCache LoadLibraryCache(const std::string& cachePath, const std::string& iniPath) {
    const std::string fingerprint = IniFingerprint(FileBytes(iniPath));
    if (auto kept = LibraryRowCache::FromBytes(FileBytes(cachePath), fingerprint))
        return std::move(*kept);
    return LibraryRowCache(fingerprint);
}

CacheWriteResult SaveLibraryCache(const std::string& cachePath, const LibraryRowCache& cache) {
    std::error_code error;
    fs::create_directories(PathOf(cachePath).parent_path(), error);
    try {
        WriteFileReplacing(cachePath, cache.Bytes());
    } catch (const KordexError& failure) {
        return {false, failure.what()};
    }
    return {true, {}};
}

}  // namespace kordex
