#include "drop_intake.h"

#include <QMimeData>
#include <QUrl>

namespace kordex::app {

std::vector<std::string> DroppedLocalFiles(const QMimeData& data) {
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    }
    return paths;
}

// TODO(settings): replace by the drop rule of core/shell when it lands; this is the same rule.
bool AcceptDroppedReplay(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.compare(dot, std::string::npos, ".wotreplay") != 0)
        return false;
    // Only the file the game is still recording is left out.
    return name != "temp.wotreplay";
}

}  // namespace kordex::app
