#pragma once

#include <string>

#include "library/library_tables.h"
#include "platform/desktop.h"
#include "text/ini_file.h"

namespace kordex {

// What the window shows while a scan runs: the status bar and the progress bar.
class ScanProgress {
  public:
    virtual ~ScanProgress() = default;
    virtual void Started(int fileCount) = 0;
    virtual void ReadingFile(const std::string& path) = 0;  // "Текущий реплей: " + path
    virtual void FileDone() = 0;
    virtual void Finished() = 0;
};

// The scan: lists the replays of the folder and of its favourites subfolder and fills one
// row per file, the path that sorts last in row 1. Columns are widened, never narrowed.
void ProcessReplays(const std::string& folder, LibraryTables& tables, const IniFile& ini,
                    Desktop& desktop, ScanProgress* progress = nullptr);

// Widens every column to its text in the given row (text width + grid line + 10 pixels).
void FitColumnsToRow(TextGrid& table, int row, Desktop& desktop);

// Sets every column to its widest text over all rows, title row included; may narrow.
void FitColumnsToText(TextGrid& table, Desktop& desktop);

}  // namespace kordex
