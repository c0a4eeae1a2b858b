#include "window/library_cache_file.h"

#include <filesystem>

#include "export/export_file.h"
#include "platform/file_io.h"
#include "platform/kordex_error.h"

namespace kordex {

namespace fs = std::filesystem;

namespace {

// The file's bytes; none when it cannot be read (an absent file reads as empty).
std::string BytesOf(const std::string& path) {
    // Far beyond the cache of the largest folder: a bigger file is no cache of ours.
    constexpr std::size_t kLimit = std::size_t{1} << 30;
    FileBytes read = ReadWholeFile(Utf8Path(path), kLimit);
    if (!read.result)
        return {};
    return std::move(read.bytes);
}

}  // namespace

std::string LibraryCachePath(const std::string& cacheFolder) {
    return ProgramFilePath(cacheFolder, "library-rows.cache");
}

LibraryRowCache LoadLibraryCache(const std::string& cachePath, const std::string& iniFingerprint) {
    if (auto kept = LibraryRowCache::FromBytes(BytesOf(cachePath), iniFingerprint))
        return std::move(*kept);
    return LibraryRowCache(iniFingerprint);
}

CacheWriteResult SaveLibraryCache(const std::string& cachePath, const LibraryRowCache& cache) {
    std::error_code error;
    fs::create_directories(Utf8Path(cachePath).parent_path(), error);
    try {
        WriteFileReplacing(cachePath, cache.Bytes());
    } catch (const KordexError& failure) {
        return {false, failure.what()};
    }
    return {true, {}};
}

}  // namespace kordex
