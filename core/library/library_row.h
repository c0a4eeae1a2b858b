#pragma once

#include <string>

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

// Reads one replay file and fills row base + 1 of a library table, widening the columns to a
// normal row's texts. A value that cannot be read (a number, the date) makes an error row, so
// one odd file never ends the scan.
LibraryRowKind ReplayToLibraryRow(const std::string& path, int base, TextGrid& table,
                                  const IniFile& ini, Desktop& desktop);

}  // namespace kordex
