#pragma once

#include <string>
#include <string_view>

namespace kordex {

// Text in the windows-1251 code page (one byte a character) as UTF-8.
std::string Windows1251ToUtf8(std::string_view bytes);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace kordex
