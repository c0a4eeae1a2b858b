#pragma once

#include <string>
#include <vector>

class QMimeData;

namespace kordex::app {

// The local files of a drop from the desktop, in the order the desktop reports them; web
// addresses and other items are left out.
std::vector<std::string> DroppedLocalFiles(const QMimeData& data);

// Whether a dropped path goes into the run list.
bool AcceptDroppedReplay(const std::string& path);

}  // namespace kordex::app
