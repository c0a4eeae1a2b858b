#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tables/text_grid.h"

namespace kordex {

// The search above the library tables. It only shows and hides rows (a hidden row has height
// 0): the texts, the files and the path lists stay as they are, and the library's actions take
// the shown rows of a selection only.

// The search text as rows are compared with it: letter case folded, spaces around it dropped.
std::string SearchKey(std::string_view typed);

// Whether any cell of the row holds the key; every row holds the empty key.
bool RowMatchesSearch(const std::vector<std::string>& cells, std::string_view key);

// Shows the body rows from `first` to `last` (inclusive) that match the key and hides the
// others; the title row is always shown.
void ApplyLibrarySearch(TextGrid& table, std::string_view key, int first, int last);
void ApplyLibrarySearch(TextGrid& table, std::string_view key);

// Whether the user sees the row.
bool RowShown(const TextGrid& table, int row);

}  // namespace kordex
