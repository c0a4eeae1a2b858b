#include "pages/library_scan_run.h"

#include <chrono>
#include <optional>

#include "default_error_handling.h"
#include "library/library_row.h"
#include "window/library_cache_file.h"

namespace kordex::app {

namespace {

// How long one turn of the event loop may place rows, and how often it comes: the window
// answers input between turns, and painting a list costs more than placing a row.
constexpr std::chrono::milliseconds kPlacingTurn{15};
constexpr int kTickMs = 10;

}  // namespace

LibraryScanRun::LibraryScanRun(LibraryTables& library, Handlers handlers)
    : library_(library), handlers_(std::move(handlers)) {
    tickTimer_.setInterval(kTickMs);
    connect(&tickTimer_, &QTimer::timeout, this, [this] { Tick(); });
}

LibraryScanRun::~LibraryScanRun() {
    if (aside_) {
        aside_->wait();
        delete aside_;
    }
}

void LibraryScanRun::RunAside(std::function<void()> work,
                              std::function<void(std::exception_ptr)> done) {
    auto failure = std::make_shared<std::exception_ptr>();
    aside_ = QThread::create([work = std::move(work), failure] {
        try {
            work();
        } catch (...) {
            *failure = std::current_exception();
        }
    });
    connect(aside_, &QThread::finished, this, [this, done = std::move(done), failure] {
        aside_->wait();
        aside_->deleteLater();
        aside_ = nullptr;
        done(*failure);
    });
    aside_->start();
}

void LibraryScanRun::Start(const std::string& folder) {
    if (Running())
        return;
    phase_ = Phase::Starting;
    stopAsked_ = false;
    // The last scan's tanks.ini and cache are let go there too: ten thousand rows take a
    // while to free.
    struct Start {
        std::unique_ptr<IniFile> oldIni;
        std::unique_ptr<LibraryRowCache> oldCache;
        LibraryScanSetup setup;
    };
    auto start = std::make_shared<Start>();
    start->oldIni = std::move(ini_);
    start->oldCache = std::move(cache_);
    RunAside(
        [start, folder, iniPath = settings_.iniPath, cachePath = settings_.cachePath] {
            start->oldIni.reset();
            start->oldCache.reset();
            start->setup = PrepareLibraryScan(folder, iniPath, cachePath);
        },
        [this, start](std::exception_ptr failure) {
            if (!failure)
                RunGuarded([&] { BeginReading(std::move(start->setup)); });
            if (phase_ != Phase::Starting)
                return;
            // No scan began.
            phase_ = Phase::Idle;
            handlers_.ended(failure);
        });
}

void LibraryScanRun::BeginReading(LibraryScanSetup setup) {
    const std::string folder = setup.files.folder;
    ini_ = std::move(setup.ini);
    cache_ = std::move(setup.cache);
    scan_ = std::make_unique<LibraryScan>(std::move(setup.files), library_, *ini_, cache_.get());
    // "Стоп" came while the scan gathered: the readers stop before they take more files.
    if (stopAsked_)
        scan_->Stop();
    // From here the ticks carry the scan to its end, whatever fails below.
    phase_ = Phase::Reading;
    tickTimer_.start();
    handlers_.readingBegan(folder);
    progress_ = std::make_unique<LibraryScanProgress>(settings_.bars(), handlers_.rowsToShow);
    progress_->Started(scan_->FileCount());
    if (stopAsked_)
        Tick();
}

void LibraryScanRun::Tick() {
    // A failure's message box runs an event loop of its own, in which the timer comes again.
    if (!scan_ || placing_)
        return;
    placing_ = true;
    RunGuarded([this] { scan_->Place(*settings_.desktop, progress_.get(), kPlacingTurn, false); });
    placing_ = false;
    if (!scan_)
        return;
    handlers_.turnEnded();
    if (scan_->Finished())
        End();
}

void LibraryScanRun::Stop() {
    if (phase_ == Phase::Starting)
        stopAsked_ = true;
    if (!scan_)
        return;
    scan_->Stop();
    // The files in hand are read to their end and placed; the rows after them go.
    Tick();
}

void LibraryScanRun::End() {
    tickTimer_.stop();
    if (progress_)
        progress_->Finished();
    progress_.reset();
    phase_ = Phase::Ending;
    // The rows move into the cache and its file there, and the scan is let go there too.
    struct End {
        std::unique_ptr<LibraryRowCache> cache;
        std::unique_ptr<LibraryScan> scan;
    };
    auto end = std::make_shared<End>();
    end->cache = std::move(cache_);
    end->scan = std::move(scan_);
    RunAside(
        [end, cachePath = settings_.cachePath] {
            if (end->cache && !cachePath.empty())
                KeepLibraryScanRows(*end->scan, *end->cache, cachePath);
            end->scan.reset();
        },
        [this, end](std::exception_ptr failure) {
            // A cache that failed to be made is rebuilt by the next scan.
            cache_ = failure ? nullptr : std::move(end->cache);
            phase_ = Phase::Idle;
            handlers_.ended(failure);
        });
}

LibraryRow LibraryScanRun::ReadRow(const std::string& path) {
    const std::optional<FileStamp> stamp = StampOf(path);
    LibraryRow row = ReadLibraryRow(path, *ini_);
    if (cache_ && stamp && row.opened)
        cache_->Keep(path, *stamp, row);
    return row;
}

void LibraryScanRun::SaveCache() {
    if (!cache_ || settings_.cachePath.empty())
        return;
    (void)SaveLibraryCache(settings_.cachePath, *cache_);
}

}  // namespace kordex::app
