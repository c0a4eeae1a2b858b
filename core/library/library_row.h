#pragma once

#include <string>
#include <vector>

#include "platform/desktop.h"
#include "tables/text_grid.h"
#include "text/ini_file.h"

namespace kordex {

// What a replay's row turned out to be.
enum class LibraryRowKind {
    Normal,
    Error,       // "Ошибка" in every column but the path
    OldVersion,  // "Стар.версия" in every column but the path
    Marked,      // a member was missing: the early values, then "Ошибка"
    Early,       // the personal results could not be unwrapped: the early values only
};

// One replay's row: its kind and the texts of every column, the path last.
struct LibraryRow {
    LibraryRowKind kind = LibraryRowKind::Error;
    std::vector<std::string> cells;
    // False when the file could not be opened: that may change without the file changing
    // (the game still writing it, access rights), so such a row is never kept for later.
    bool opened = true;

    bool operator==(const LibraryRow&) const = default;
};

// Reads one replay file into its row. A value that cannot be read (a number, the date) makes
// an error row, so one odd file never ends the scan. Touches nothing but the file: scans call
// it from several threads at once.
LibraryRow ReadLibraryRow(const std::string& path, const IniFile& ini);

// Writes the row into a library table and widens the columns to its texts; the row whose
// personal results could not be unwrapped beeps (400 Hz, 200 ms).
void PlaceLibraryRow(const LibraryRow& libraryRow, int row, TextGrid& table, Desktop& desktop);

// Reads one replay file and fills row base + 1 of a library table.
LibraryRowKind ReplayToLibraryRow(const std::string& path, int base, TextGrid& table,
                                  const IniFile& ini, Desktop& desktop);

}  // namespace kordex
