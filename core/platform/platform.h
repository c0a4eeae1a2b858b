#pragma once

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/file_system.h"

namespace kordex {

// The platform services one analysis works with; the window and the CLI each supply theirs.
struct Platform {
    Desktop& desktop;
    FileSystem& files;
    Clock& clock;
};

}  // namespace kordex
