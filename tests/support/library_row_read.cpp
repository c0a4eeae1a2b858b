#include "support/library_row_read.h"

#include "library/library_tables.h"
#include "platform/headless_desktop.h"

namespace kordex::test {

LibraryRowRead ReadLibraryRow(const std::string& path, const IniFile& ini) {
    TextGrid table = MakeLibraryGrid();
    table.SetRowCount(2);
    HeadlessDesktop desktop;
    const LibraryRowKind kind = ReplayToLibraryRow(path, 0, table, ini, desktop);
    return {kind, table.Row(1), desktop.Events()};
}

}  // namespace kordex::test
