#pragma once

#include <optional>
#include <string_view>

namespace kordex {

// A boolean text: a number (true unless zero) or the word true or false in any letter case;
// nothing for any other text.
std::optional<bool> ParseBooleanText(std::string_view text);
// How booleans are written: "-1" for true, "0" for false.
std::string_view BooleanText(bool value);

}  // namespace kordex
