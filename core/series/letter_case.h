#pragma once

#include <string>
#include <string_view>

namespace kordex {

// UTF-8 text with its capital letters made small: Latin, Latin-1 and Cyrillic, the letters that
// player names and replay paths of the game's regions use. Other characters stay as they are.
std::string FoldLetterCase(std::string_view text);

// Comparisons that ignore letter case, for player names and the sorted run list.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
// Negative, zero or positive, as the texts order ignoring letter case.
int CompareIgnoringCase(std::string_view a, std::string_view b);

}  // namespace kordex
