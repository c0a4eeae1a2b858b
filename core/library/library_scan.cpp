#include "library/library_scan.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "library/replay_files.h"
#include "tables/grid_helpers.h"

namespace kordex {

namespace {

int CellWidth(const TextGrid& table, int column, int row, Desktop& desktop) {
    return desktop.TextWidth(table.Cell(column, row), table.Font()) + table.LineWidth() + 10;
}

constexpr std::size_t kRowsPerWake = 64;

// Reading is bound by the disk and the parser; more threads than cores only wait.
int ReadingThreads(int asked) {
    if (asked > 0)
        return asked;
    const unsigned cores = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp(cores, 1u, 8u));
}

}  // namespace

void FitColumnsToRow(TextGrid& table, int row, Desktop& desktop) {
    for (int column = 0; column < table.ColumnCount(); ++column) {
        const int width = CellWidth(table, column, row, desktop);
        if (table.ColumnWidth(column) < width)
            table.SetColumnWidth(column, width);
    }
}

void FitColumnsToText(TextGrid& table, Desktop& desktop) {
    for (int column = 0; column < table.ColumnCount(); ++column) {
        int widest = 0;
        for (int row = 0; row < table.RowCount(); ++row)
            widest = std::max(widest, CellWidth(table, column, row, desktop));
        table.SetColumnWidth(column, widest);
    }
}

LibraryFolderFiles ListLibraryFolder(const std::string& folder) {
    LibraryFolderFiles files;
    files.folder = WithFinalSeparator(folder);
    files.all = FindReplayFiles(files.folder);
    files.favorites = FindReplayFiles(files.folder + kFavoritesFolderName + "/");
    return files;
}

LibraryScan::LibraryScan(const std::string& folder, LibraryTables& tables, const IniFile& ini,
                         const LibraryRowCache* cache, int threads)
    : LibraryScan(ListLibraryFolder(folder), tables, ini, cache, threads) {}

LibraryScan::LibraryScan(LibraryFolderFiles files, LibraryTables& tables, const IniFile& ini,
                         const LibraryRowCache* cache, int threads)
    : tables_(tables), ini_(ini), cache_(cache), prefix_(std::move(files.folder)) {
    tables.allReplaysList = std::move(files.all);
    tables.favoriteReplaysList = std::move(files.favorites);
    for (auto [list, table] : {std::pair{&tables.allReplaysList, &tables.allReplays},
                               std::pair{&tables.favoriteReplaysList, &tables.favoriteReplays}}) {
        const int count = static_cast<int>(list->size());
        for (int d = count - 1; d >= 0; --d)
            files_.push_back({(*list)[d], table, count - d});
    }
    slots_.resize(files_.size());
    ready_ = std::make_unique<std::atomic<bool>[]>(files_.size());
    // The readers touch no table: they start before the tables are made ready, which for
    // thousands of rows takes as long as reading a few hundred files.
    try {
        const int threadCount = std::min(ReadingThreads(threads), std::max(1, FileCount()));
        for (int i = 0; i < threadCount; ++i)
            workers_.emplace_back([this] { Work(); });
        // Both tables get their rows before the first row is placed: a read error ends the
        // scan with every row in place, the ones not reached yet empty.
        ClearTableBody(tables.allReplays);
        ClearTableBody(tables.favoriteReplays);
        tables.allReplays.SetRowCount(static_cast<int>(tables.allReplaysList.size()) + 1);
        tables.favoriteReplays.SetRowCount(static_cast<int>(tables.favoriteReplaysList.size()) + 1);
    } catch (...) {
        // No destructor runs for a half-made scan; its readers must not outlive it.
        StopReaders();
        throw;
    }
}

LibraryScan::~LibraryScan() {
    StopReaders();
}

void LibraryScan::StopReaders() {
    stopping_ = true;
    for (std::thread& worker : workers_)
        if (worker.joinable())
            worker.join();
}

void LibraryScan::Work() {
    while (!stopping_) {
        const std::size_t index = next_++;
        if (index >= files_.size())
            return;
        Read(index);
    }
}

void LibraryScan::Read(std::size_t index) {
    Slot slot;
    const std::string& path = files_[index].path;
    // The stamp only serves a cache: without one, the file is not looked at twice.
    if (cache_)
        slot.stamp = StampOf(path);
    // A cached row is not copied: the cache outlives the scan.
    slot.kept = slot.stamp ? cache_->Find(path, *slot.stamp) : nullptr;
    try {
        if (!slot.kept)
            slot.row = ReadLibraryRow(path, ini_);
    } catch (...) {
        slot.failure = std::current_exception();
    }
    // The slot is the worker's until it is marked ready, and the placing thread's after; only
    // the row that thread waits for wakes it (a cached row takes a few microseconds, a lock
    // and a wake-up per row more than that).
    slots_[index] = std::move(slot);
    ready_[index].store(true);
    if (awaited_.load() == index) {
        std::lock_guard lock(mutex_);
        readyChanged_.notify_one();
    }
}

void LibraryScan::Place(Desktop& desktop, ScanProgress* progress, std::chrono::milliseconds budget,
                        bool wait) {
    if (!titlesFitted_) {
        // The title rows are fitted as every other row is.
        FitColumnsToRow(tables_.allReplays, 0, desktop);
        FitColumnsToRow(tables_.favoriteReplays, 0, desktop);
        titlesFitted_ = true;
    }
    const auto deadline = std::chrono::steady_clock::now() + budget;
    while (!Finished()) {
        const auto index = static_cast<std::size_t>(placed_);
        while (!ready_[index].load()) {
            if (stopping_) {
                // The files in hand are read to their end, so that every row read is kept.
                StopReaders();
                if (!ready_[index].load()) {
                    DropUnplacedRows();
                    return;
                }
            } else if (!wait) {
                return;
            } else {
                // Woken once for a run of rows rather than for each: rows from the cache come
                // faster than a thread wakes. Every file is read in the end, so the run's last
                // row comes; when it is already there, the next row is waited for alone.
                std::size_t awaited = std::min(index + kRowsPerWake, files_.size()) - 1;
                if (ready_[awaited].load())
                    awaited = index;
                std::unique_lock lock(mutex_);
                awaited_.store(awaited);
                readyChanged_.wait(lock, [&] { return ready_[awaited].load(); });
                awaited_.store(kNoneAwaited);
            }
        }
        // A ready slot is no worker's any more.
        const Slot& slot = slots_[index];
        const File& file = files_[index];
        if (slot.failure) {
            failed_ = true;
            stopping_ = true;
            std::rethrow_exception(slot.failure);
        }
        if (progress)
            progress->ReadingFile(file.path);
        PlaceLibraryRow(slot.Row(), file.row, *file.table, desktop);
        ++placed_;
        if (progress)
            progress->FileDone();
        if (std::chrono::steady_clock::now() >= deadline)
            return;
    }
}

void LibraryScan::Stop() {
    stopping_ = true;
}

bool LibraryScan::Finished() const {
    return failed_ || stopped_ || placed_ == FileCount();
}

LibraryScan::PlacedRows LibraryScan::RowsOfPlaced(int from, int to) const {
    // Row 1 of a table is its first file placed; the favourites come after the whole list.
    const int allCount = static_cast<int>(tables_.allReplaysList.size());
    return {{from + 1, std::min(to, allCount)},
            {std::max(from, allCount) - allCount + 1, to - allCount}};
}

void LibraryScan::DropUnplacedRows() {
    const PlacedRows placed = RowsOfPlaced(0, placed_);
    tables_.allReplays.SetRowCount(placed.all.last + 1);
    tables_.favoriteReplays.SetRowCount(std::max(placed.favorites.last, 0) + 1);
    stopped_ = true;
}

std::vector<std::size_t> LibraryScan::CacheableSlots() const {
    std::vector<std::size_t> cacheable;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (!ready_[i].load())
            continue;
        const Slot& slot = slots_[i];
        if (!slot.failure && slot.stamp && slot.Row().opened)
            cacheable.push_back(i);
    }
    return cacheable;
}

std::vector<std::string> LibraryScan::ScannedFolders() const {
    return {prefix_, prefix_ + kFavoritesFolderName + "/"};
}

bool LibraryScan::MoveRowsInto(LibraryRowCache& cache) {
    // A failed scan's readers may still be looking rows up in the cache that changes here.
    StopReaders();
    const std::vector<std::size_t> cacheable = CacheableSlots();
    std::unordered_set<std::string_view> paths;
    for (const std::size_t i : cacheable)
        paths.insert(files_[i].path);
    // The rows kept stay where they are: only the files gone and the rows read change.
    bool changed = cache.ForgetFoldersBut(ScannedFolders(), paths) > 0;
    for (const std::size_t i : cacheable) {
        Slot& slot = slots_[i];
        if (!slot.kept) {
            cache.Keep(files_[i].path, *slot.stamp, std::move(slot.row));
            changed = true;
        } else if (&cache != cache_) {
            cache.Keep(files_[i].path, *slot.stamp, *slot.kept);
            changed = true;
        }
    }
    return changed;
}

bool ProcessReplays(const std::string& folder, LibraryTables& tables, const IniFile& ini,
                    Desktop& desktop, ScanProgress* progress, LibraryRowCache* cache, int threads) {
    LibraryScan scan(folder, tables, ini, cache, threads);
    if (progress)
        progress->Started(scan.FileCount());
    while (!scan.Finished())
        scan.Place(desktop, progress, std::chrono::hours(1), true);
    if (progress)
        progress->Finished();
    return cache && scan.MoveRowsInto(*cache);
}

}  // namespace kordex
