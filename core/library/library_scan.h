#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "library/library_cache.h"
#include "library/library_row.h"
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

// The replays a scan of a folder reads: those of the folder and of its favourites subfolder,
// each list sorted by path. Listing ten thousand files takes a while, so it may be done on
// another thread before the scan.
struct LibraryFolderFiles {
    std::string folder;  // with its final "/"
    std::vector<std::string> all;
    std::vector<std::string> favorites;
};
LibraryFolderFiles ListLibraryFolder(const std::string& folder);

// Rows first..last of a table; none when last < first.
struct RowSpan {
    int first = 1;
    int last = 0;
};

// A scan under way. The replays are read on worker threads (a file whose path, size and time
// match the cache is not opened); the rows are written into the tables only by Place, on the
// caller's thread, in the order of the scan: all replays from the path that sorts last (row 1)
// to the first, then the favourites likewise. So the tables end exactly as a reading of one
// file after the other leaves them.
class LibraryScan {
  public:
    // Lists the folder and its favourites subfolder and sizes both tables, the path lists
    // filled; the reading starts at once. `cache` may be null; it must outlive the scan.
    LibraryScan(const std::string& folder, LibraryTables& tables, const IniFile& ini,
                const LibraryRowCache* cache = nullptr, int threads = 0);
    // The workers read `ini` until the scan ends: a temporary would be gone before them.
    LibraryScan(const std::string& folder, LibraryTables& tables, IniFile&& ini,
                const LibraryRowCache* cache = nullptr, int threads = 0) = delete;
    // The same over a folder listed before.
    LibraryScan(LibraryFolderFiles files, LibraryTables& tables, const IniFile& ini,
                const LibraryRowCache* cache = nullptr, int threads = 0);
    LibraryScan(LibraryFolderFiles files, LibraryTables& tables, IniFile&& ini,
                const LibraryRowCache* cache = nullptr, int threads = 0) = delete;
    ~LibraryScan();
    LibraryScan(const LibraryScan&) = delete;
    LibraryScan& operator=(const LibraryScan&) = delete;

    // Writes the rows that are read, in order, until the next one is not ready yet or the
    // time is used up; with `wait`, waits for the next row instead of returning. A file whose
    // reading failed ends the scan there with that failure, as the reading's own error.
    void Place(Desktop& desktop, ScanProgress* progress, std::chrono::milliseconds budget,
               bool wait);
    // No further file is read or placed; the rows placed stay, the rows after them go.
    void Stop();
    // Every row placed, or stopped.
    bool Finished() const;
    bool Stopped() const { return stopped_; }
    int FileCount() const { return static_cast<int>(files_.size()); }
    int PlacedCount() const { return placed_; }
    // The rows of the whole list and of the favourites that the files placed from..to-1
    // (in the scan's order) fill.
    struct PlacedRows {
        RowSpan all;
        RowSpan favorites;
    };
    PlacedRows RowsOfPlaced(int from, int to) const;

    // Moves the rows this scan read or took from its cache into a cache (the scan's own is
    // updated in place), for the next scan: the rows of the scanned folders are then exactly
    // this scan's, less those of files that could not be opened. A scan made without a cache
    // keeps none. After the scan only: the rows leave it, and a failed scan's readers are
    // stopped first. True when the cache changed (a returning user's unchanged folder leaves
    // its cache file as it is).
    bool MoveRowsInto(LibraryRowCache& cache);

  private:
    struct File {
        std::string path;
        TextGrid* table;
        int row;
    };
    struct Slot {
        const LibraryRow* kept = nullptr;  // the cache's row, or null: the row read
        LibraryRow row;
        const LibraryRow& Row() const { return kept ? *kept : row; }
        std::optional<FileStamp> stamp;
        std::exception_ptr failure;
    };
    void Work();
    void Read(std::size_t index);
    // Stops the readers and waits for them: the files in hand are read to their end.
    void StopReaders();
    // The slots whose rows go into a cache: read to their end, from a file that opened.
    std::vector<std::size_t> CacheableSlots() const;
    std::vector<std::string> ScannedFolders() const;
    // Trims a stopped scan's tables to the rows it placed.
    void DropUnplacedRows();

    LibraryTables& tables_;
    const IniFile& ini_;
    const LibraryRowCache* cache_;
    std::string prefix_;  // the folder with its final "/"
    std::vector<File> files_;
    std::vector<Slot> slots_;
    std::unique_ptr<std::atomic<bool>[]> ready_;  // per slot: read, the row in it
    int placed_ = 0;
    bool titlesFitted_ = false;
    bool stopped_ = false;
    bool failed_ = false;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable readyChanged_;
    // The slot the placing thread waits for.
    static constexpr std::size_t kNoneAwaited = static_cast<std::size_t>(-1);
    std::atomic<std::size_t> awaited_{kNoneAwaited};
    std::vector<std::thread> workers_;
};

// The scan of one file after the other, to its end: lists the replays of the folder and of
// its favourites subfolder and fills one row per file, the path that sorts last in row 1.
// Columns are widened, never narrowed. With a cache, unchanged files are not read, and the
// cache then holds the rows of this scan; true when that changed the cache. `threads` as for
// LibraryScan (0: one a core, eight at most).
bool ProcessReplays(const std::string& folder, LibraryTables& tables, const IniFile& ini,
                    Desktop& desktop, ScanProgress* progress = nullptr,
                    LibraryRowCache* cache = nullptr, int threads = 0);

// Widens every column to its text in the given row (text width + grid line + 10 pixels).
void FitColumnsToRow(TextGrid& table, int row, Desktop& desktop);

// Sets every column to its widest text over all rows, title row included; may narrow.
void FitColumnsToText(TextGrid& table, Desktop& desktop);

}  // namespace kordex
