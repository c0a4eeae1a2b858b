#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tables/text_grid.h"

namespace kordex::cli {

// The dump format of every command: "## NAME" sections, key<TAB>value records, one line per
// table row with TAB between cells; backslash, TAB, CR and LF inside a cell are escaped.
std::string EscapeCell(std::string_view text);
void WriteSection(std::ostream& out, std::string_view name);
void WriteRecord(std::ostream& out, std::string_view key, std::string_view value);
void WriteRow(std::ostream& out, const std::vector<std::string>& cells);
void WriteGrid(std::ostream& out, std::string_view name, const TextGrid& grid);

}  // namespace kordex::cli
