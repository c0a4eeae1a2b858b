#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "library/library_tables.h"
#include "library/live_folder.h"

namespace kordex::app {

// The folder of the last scan and its favourites folder, watched while the window is open:
// rows of files another program removed drop out at once, and files that appear are handed on
// once complete (their size stays and they open). Nothing changes the tables while a scan
// runs; a change seen then is looked at when it ends.
class LiveFolderWatch : public QObject {
  public:
    struct Handlers {
        std::function<bool()> scanning;
        std::function<void()> rowsDropped;
        // Complete files, in path order, with the folder they appeared under.
        std::function<void(const std::vector<std::string>& paths, const std::string& folder)>
            replaysComplete;
    };

    LiveFolderWatch(LibraryTables& library, Handlers handlers);

    // Watches the folder (a scan's, ending in a separator) from now on.
    void Watch(const std::string& folder);
    // A scan starts: it lists every file, so the files waiting to be complete are forgotten.
    void Forget();
    // A scan ended: a change it held back is looked at now.
    void CatchUp();

  private:
    void WatchFolders();
    void FolderChanged();
    void LookAtPending();

    LibraryTables& library_;
    Handlers handlers_;
    std::string folder_;
    QFileSystemWatcher watcher_;
    QTimer listingTimer_;
    QTimer settleTimer_;
    PendingReplays pending_;
    bool changedWhileScanning_ = false;
};

}  // namespace kordex::app
