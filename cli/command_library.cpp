#include <exception>
#include <iostream>

#include "cache_folder.h"
#include "cli_commands.h"
#include "dump_format.h"
#include "library/library_scan.h"
#include "platform/headless_desktop.h"
#include "platform/std_file_system.h"
#include "tanks_ini_path.h"
#include "text/ini_file.h"
#include "window/library_cache_file.h"

namespace kordex::cli {

int RunLibrary(const std::vector<std::string>& args, std::ostream& out) {
    // --no-cache: every file read, the cache neither used nor written.
    std::vector<std::string> folders;
    bool useCache = true;
    for (const std::string& arg : args) {
        if (arg == "--no-cache")
            useCache = false;
        else
            folders.push_back(arg);
    }
    if (folders.size() != 1)
        return 2;
    const std::string& folder = folders[0];
    // Scanning "" would scan the root folder, and a missing folder would look like an empty one.
    if (StdFileSystem files; folder.empty() || !files.FolderExists(folder)) {
        std::cerr << "kordex-cli library: no such folder: \"" << folder << "\"\n";
        return 2;
    }
    HeadlessDesktop desktop;
    LibraryTables tables;
    const std::string iniPath = TanksIniPath();
    // Read once: its names for the rows, its identity for the cache.
    std::string iniBytes;
    const IniFile ini = IniFile::Load(iniPath, &iniBytes);
    const std::string cacheFolder = useCache ? KordexCacheFolder() : std::string();
    const std::string cachePath =
        cacheFolder.empty() ? std::string() : LibraryCachePath(cacheFolder);
    LibraryRowCache cache = cachePath.empty()
                                ? LibraryRowCache(std::string())
                                : LoadLibraryCache(cachePath, IniFingerprint(iniBytes));
    int status = 0;
    try {
        const bool changed = ProcessReplays(folder, tables, ini, desktop, nullptr,
                                            cachePath.empty() ? nullptr : &cache);
        if (changed) {
            const CacheWriteResult written = SaveLibraryCache(cachePath, cache);
            if (!written.written)
                std::cerr << "kordex-cli: " << written.description << "\n";
        }
    } catch (const std::exception& error) {
        // The window's default error handling: the description in a box, the rows read stay.
        desktop.RecordError(error.what());
        status = 1;
    }

    WriteGrid(out, "sg_AllReplays", tables.allReplays);
    WriteGrid(out, "sg_FavoriteReplays", tables.favoriteReplays);
    WriteSection(out, "Events");
    for (const auto& event : desktop.Events())
        WriteRow(out, {event});
    return status;
}

}  // namespace kordex::cli
