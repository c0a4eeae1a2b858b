#pragma once

#include <string>

namespace kordex::cli {

// tanks.ini in the folder of the running executable, where the program keeps it.
std::string TanksIniPath();

}  // namespace kordex::cli
