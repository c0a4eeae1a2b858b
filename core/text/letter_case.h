#pragma once

#include <string>
#include <string_view>

namespace kordex {

// UTF-8 text with its capital letters made small, for comparisons that ignore letter case:
// Latin (ASCII and Latin-1) and Cyrillic letters; other characters and bytes that are not
// UTF-8 stay as they are.
std::string FoldLetterCase(std::string_view utf8);

// True when the two texts are equal apart from letter case.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

}  // namespace kordex
