#include <exception>
#include <iostream>

#include "cli_commands.h"
#include "dump_format.h"
#include "library/library_scan.h"
#include "platform/headless_desktop.h"
#include "platform/std_file_system.h"
#include "tanks_ini_path.h"
#include "text/ini_file.h"

namespace kordex::cli {

int RunLibrary(const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 1)
        return 2;
    // Scanning "" would scan the root folder, and a missing folder would look like an empty one.
    if (StdFileSystem files; args[0].empty() || !files.FolderExists(args[0])) {
        std::cerr << "kordex-cli library: no such folder: \"" << args[0] << "\"\n";
        return 2;
    }
    HeadlessDesktop desktop;
    LibraryTables tables;
    const IniFile ini = IniFile::Load(TanksIniPath());
    int status = 0;
    try {
        ProcessReplays(args[0], tables, ini, desktop);
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
