#pragma once

#include <string>
#include <string_view>

#include "text/ini_file.h"

namespace kordex {

// The display name of a vehicle code "nation:code" from the sections of tanks.ini, or the code
// itself when the file, the section or the key is absent.
std::string VehicleNameFromIni(const IniFile& ini, std::string_view vehicleType);

}  // namespace kordex
