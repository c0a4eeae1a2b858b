#pragma once

#include <string>
#include <string_view>

namespace kordex {

// A marked cell is "value;extreme" or "value;extreme;alive". The value part is the text before
// the first ";", or the whole text.
std::string_view ValuePart(std::string_view cell);
// The n-th field after the value (1: extreme marker, 2: alive marker); empty when absent.
std::string_view MarkerField(std::string_view cell, int n);

// The whole text of a marked cell whose number cannot be read as an integer.
inline constexpr std::string_view kErrorCell = "error;0";

}  // namespace kordex
