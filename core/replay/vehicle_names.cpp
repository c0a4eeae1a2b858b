#include "replay/vehicle_names.h"

namespace kordex {

std::string VehicleNameFromIni(const IniFile& ini, std::string_view vehicleType) {
    // "nation:code": the nation names the section, everything after the first colon is the key.
    std::string_view section;
    std::string_view key = vehicleType;
    if (const auto colon = vehicleType.find(':'); colon != std::string_view::npos) {
        section = vehicleType.substr(0, colon);
        key = vehicleType.substr(colon + 1);
    }
    return ini.Value(section, key).value_or(std::string(vehicleType));
}

}  // namespace kordex
