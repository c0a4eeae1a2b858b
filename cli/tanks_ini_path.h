#pragma once

#include <string>

#include "window/file_places.h"

namespace kordex::cli {

// Where this run keeps tanks.ini and its exports: next to the executable when that folder is
// writable, otherwise the user's folders (the same ones the window uses), decided once.
const FilePlaces& CliFilePlaces();

// The tanks.ini of this run.
std::string TanksIniPath();

}  // namespace kordex::cli
