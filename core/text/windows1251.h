#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "text/utf8.h"

namespace kordex {

// Text in the windows-1251 code page (one byte a character) as UTF-8.
std::string Windows1251ToUtf8(std::string_view bytes);

// UTF-8 text in the windows-1251 code page. A character the code page has no byte for is
// written as the bytes `unencodable` gives for it, so the caller decides how it survives;
// a byte that is not part of well-formed UTF-8 counts as U+FFFD.
std::string Utf8ToWindows1251(std::string_view utf8,
                              const std::function<std::string(char32_t)>& unencodable);

// UTF-8 text in windows-1251, or nothing when a character has no byte there.
std::optional<std::string> Utf8ToWindows1251(std::string_view utf8);

}  // namespace kordex
