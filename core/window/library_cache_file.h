#pragma once

#include <string>

#include "library/library_cache.h"

namespace kordex {

// The file of the library's row cache in the user's cache folder.
std::string LibraryCachePath(const std::string& cacheFolder);

// The cache kept in the file, or an empty one when the file is missing, unreadable, damaged,
// of another program version or of another tanks.ini than the one whose IniFingerprint is
// given (tanks.ini is read once, for its names and for this).
LibraryRowCache LoadLibraryCache(const std::string& cachePath, const std::string& iniFingerprint);

struct CacheWriteResult {
    bool written = false;
    std::string description;  // why it was not written
};

// Writes the cache through a file beside it that replaces the old one only when complete;
// the folder is made when missing. A cache that cannot be written only costs the next start
// its speed, so the caller decides whether to tell anyone.
[[nodiscard]] CacheWriteResult SaveLibraryCache(const std::string& cachePath,
                                                const LibraryRowCache& cache);

}  // namespace kordex
