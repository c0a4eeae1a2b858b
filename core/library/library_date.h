#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kordex {

// The header's "dd.mm.yyyy hh:nn:ss" as the library shows it, "yyyy.mm.dd hh:nn:ss";
// nothing when the text is not a valid date and time.
std::optional<std::string> LibraryDate(std::string_view dateTime);

}  // namespace kordex
