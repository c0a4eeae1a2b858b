#pragma once

#include <memory>
#include <string>

#include "library/library_cache.h"
#include "library/library_scan.h"
#include "text/ini_file.h"

namespace kordex {

// What a library scan needs before it reads its first replay: tanks.ini, the row cache kept
// in its file and the folder's replays. For a big library gathering them takes longer than a
// window may stand still, so they are gathered in one piece that may run on another thread.
// tanks.ini is read once, for the vehicle names and for the identity the cache must match.
struct LibraryScanSetup {
    // By pointer: a scan's readers use them where they are until the scan is let go.
    std::unique_ptr<IniFile> ini;
    std::unique_ptr<LibraryRowCache> cache;  // null without a cache file
    LibraryFolderFiles files;
};
LibraryScanSetup PrepareLibraryScan(const std::string& folder, const std::string& iniPath,
                                    const std::string& cachePath);

// The end of a scan with a cache: the rows it read or found in the cache move into that
// cache, which is written to its file when that changed it (a cache that cannot be written
// costs only the next scan its speed). The scan may have ended by "Стоп" or a failure.
void KeepLibraryScanRows(LibraryScan& scan, LibraryRowCache& cache, const std::string& cachePath);

}  // namespace kordex
