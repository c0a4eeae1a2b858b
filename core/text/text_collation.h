#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kordex {

// The dictionary order the library lists sort their texts in, case-sensitive in the way
// Windows' CompareString is: letters compare first without regard to case or accents, then
// accents, then case, with a lower-case letter before its capital ("a" < "A" < "b").
// Groups, lowest first: blanks and punctuation, digits, Latin, Greek, Cyrillic (Russian order,
// "ё" as "е" with an accent, Ukrainian and Belarusian letters beside their neighbours), then
// everything else by code point. Punctuation is weighed like any character rather than ignored
// (CompareString ignores hyphens and apostrophes), so that "-5" and "5" never collate equal.
// An empty text sorts before every other text.

// A key whose plain comparison gives the order of the texts; for sorting many rows.
std::u32string CollationKey(std::string_view utf8);

// Negative, zero or positive as a sorts before, equal to or after b; zero only for equal texts.
int CollateTexts(std::string_view a, std::string_view b);

// The order of a sorted list box: by text without regard to letter case (ё sorted with е),
// then by the bytes.
bool ListBoxLess(std::string_view a, std::string_view b);
void SortLikeListBox(std::vector<std::string>& items);

}  // namespace kordex
