#pragma once

#include <string>
#include <vector>

#include "library/library_row.h"
#include "text/ini_file.h"

namespace kordex::test {

// One replay read into the first body row of a fresh library table, as a scan reads each file,
// on a desktop that only records.
struct LibraryRowRead {
    LibraryRowKind kind;
    std::vector<std::string> cells;   // the row's cells, the path among them
    std::vector<std::string> events;  // what the desktop was asked to do
};
LibraryRowRead ReadLibraryRow(const std::string& path, const IniFile& ini = IniFile());

}  // namespace kordex::test
