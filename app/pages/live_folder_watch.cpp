#include "pages/live_folder_watch.h"

#include <QFileInfo>
#include <tuple>

#include "default_error_handling.h"
#include "library/replay_files.h"
#include "window/busy_policy.h"

namespace kordex::app {

namespace {

// How often files that appeared are looked at until their size stops changing.
constexpr int kSettleLookMs = 500;
// A folder reports every change of a file being written; it is listed at most this often.
constexpr int kFolderListingMs = 250;

}  // namespace

LiveFolderWatch::LiveFolderWatch(LibraryTables& library, Handlers handlers)
    : library_(library), handlers_(std::move(handlers)) {
    settleTimer_.setInterval(kSettleLookMs);
    connect(&settleTimer_, &QTimer::timeout, this,
            [this] { RunGuarded([this] { LookAtPending(); }); });
    listingTimer_.setSingleShot(true);
    listingTimer_.setInterval(kFolderListingMs);
    connect(&listingTimer_, &QTimer::timeout, this,
            [this] { RunGuarded([this] { FolderChanged(); }); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!listingTimer_.isActive())
            listingTimer_.start();
    });
}

void LiveFolderWatch::Watch(const std::string& folder) {
    folder_ = folder;
    WatchFolders();
}

void LiveFolderWatch::Forget() {
    pending_ = PendingReplays();
    settleTimer_.stop();
    changedWhileScanning_ = false;
}

void LiveFolderWatch::CatchUp() {
    if (changedWhileScanning_)
        RunGuarded([this] { FolderChanged(); });
}

void LiveFolderWatch::WatchFolders() {
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    for (const std::string& folder : {folder_, folder_ + kFavoritesFolderName}) {
        const QString path = QString::fromStdString(folder);
        if (QFileInfo(path).isDir())
            watcher_.addPath(path);
    }
}

void LiveFolderWatch::FolderChanged() {
    if (folder_.empty())
        return;
    if (!RunsNow({.libraryScan = handlers_.scanning()}, WindowAction::LibraryLiveChange)) {
        changedWhileScanning_ = true;
        return;
    }
    changedWhileScanning_ = false;
    WatchFolders();  // the favourites folder may just have been made
    bool dropped = false;
    for (auto [folder, table, list] :
         {std::tuple{folder_, &library_.allReplays, &library_.allReplaysList},
          std::tuple{folder_ + kFavoritesFolderName + "/", &library_.favoriteReplays,
                     &library_.favoriteReplaysList}}) {
        const FolderChanges changes = CompareFolderWithList(FindReplayFiles(folder), *list);
        if (!changes.vanished.empty()) {
            DropLibraryRows(*table, *list, changes.vanished);
            dropped = true;
        }
        for (const std::string& path : changes.appeared)
            pending_.Add(path);
    }
    if (dropped)
        handlers_.rowsDropped();
    if (!pending_.Empty() && !settleTimer_.isActive())
        settleTimer_.start();
}

void LiveFolderWatch::LookAtPending() {
    if (handlers_.scanning())
        return;
    const std::vector<std::string> complete = pending_.TakeComplete(LookAtFile);
    if (pending_.Empty())
        settleTimer_.stop();
    if (!complete.empty())
        handlers_.replaysComplete(complete, folder_);
}

}  // namespace kordex::app
