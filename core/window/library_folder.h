#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace kordex {

// The folder the user picks in the folder chooser, as the library's folder: with its final
// separator, and only when it exists; nothing when the user cancels or picks nothing usable.
std::optional<std::string> ChooseLibraryFolder(Platform& platform);

}  // namespace kordex
