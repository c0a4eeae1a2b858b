#pragma once

#include <string>

namespace kordex::cli {

// The user's cache folder for Kordex: $XDG_CACHE_HOME/Kordex, else ~/.cache/Kordex; on
// Windows %LOCALAPPDATA%/Kordex/cache, as the window keeps it. Empty when none is known.
std::string KordexCacheFolder();

}  // namespace kordex::cli
