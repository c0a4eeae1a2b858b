#include <iostream>

#include "cache_folder.h"
#include "cli_commands.h"
#include "dump_format.h"
#include "library/library_scan.h"
#include "platform/headless_desktop.h"
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
    HeadlessDesktop desktop;
    LibraryTables tables;
    const std::string iniPath = TanksIniPath();
    const IniFile ini = IniFile::Load(iniPath);
    const std::string cacheFolder = useCache ? KordexCacheFolder() : std::string();
    if (cacheFolder.empty()) {
        ProcessReplays(folders[0], tables, ini, desktop);
    } else {
        const std::string cachePath = LibraryCachePath(cacheFolder);
        LibraryRowCache cache = LoadLibraryCache(cachePath, iniPath);
        ProcessReplays(folders[0], tables, ini, desktop, nullptr, &cache);
        const CacheWriteResult written = SaveLibraryCache(cachePath, cache);
        if (!written.written)
            std::cerr << "kordex-cli: " << written.description << "\n";
    }

    WriteGrid(out, "sg_AllReplays", tables.allReplays);
    WriteGrid(out, "sg_FavoriteReplays", tables.favoriteReplays);
    WriteSection(out, "Events");
    for (const auto& event : desktop.Events())
        WriteRow(out, {event});
    return 0;
}

}  // namespace kordex::cli
