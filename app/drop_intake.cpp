#include "drop_intake.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace kordex::app {

std::vector<DroppedItem> DroppedLocalItems(const QMimeData& data) {
    std::vector<DroppedItem> items;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            continue;
        QString path = url.toLocalFile();
        items.push_back({path.toStdString(), QFileInfo(path).isDir()});
    }
    return items;
}

}  // namespace kordex::app
