#include <iostream>

#include "cli_commands.h"
#include "dump_format.h"
#include "library/library_scan.h"
#include "platform/headless_desktop.h"
#include "tanks_ini_path.h"
#include "text/ini_file.h"

namespace kordex::cli {

int RunLibrary(const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 1)
        return 2;
    HeadlessDesktop desktop;
    LibraryTables tables;
    const IniFile ini = IniFile::Load(TanksIniPath());
    ProcessReplays(args[0], tables, ini, desktop);

    WriteGrid(out, "sg_AllReplays", tables.allReplays);
    WriteGrid(out, "sg_FavoriteReplays", tables.favoriteReplays);
    WriteSection(out, "Events");
    for (const auto& event : desktop.Events())
        WriteRow(out, {event});
    return 0;
}

}  // namespace kordex::cli
