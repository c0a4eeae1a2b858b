#pragma once

#include <vector>

#include "window/drop_rule.h"

class QMimeData;

namespace kordex::app {

// The local files and folders of a drop from the desktop, in the order the desktop reports
// them; web addresses and other items are left out.
std::vector<DroppedItem> DroppedLocalItems(const QMimeData& data);

}  // namespace kordex::app
