#include "window/library_scan_setup.h"

#include "window/library_cache_file.h"

namespace kordex {

LibraryScanSetup PrepareLibraryScan(const std::string& folder, const std::string& iniPath,
                                    const std::string& cachePath) {
    LibraryScanSetup setup;
    std::string iniBytes;
    setup.ini = std::make_unique<IniFile>(IniFile::Load(iniPath, &iniBytes));
    if (!cachePath.empty())
        setup.cache = std::make_unique<LibraryRowCache>(
            LoadLibraryCache(cachePath, IniFingerprint(iniBytes)));
    setup.files = ListLibraryFolder(folder);
    return setup;
}

void KeepLibraryScanRows(LibraryScan& scan, LibraryRowCache& cache, const std::string& cachePath) {
    // An unchanged cache is not written again: a returning user's start-up writes nothing.
    if (!scan.MoveRowsInto(cache))
        return;
    // Nobody is told of a cache that could not be written: it only costs the next scan time.
    (void)SaveLibraryCache(cachePath, cache);
}

}  // namespace kordex
