#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace kordex {

// Appends the UTF-8 bytes of a code point.
void AppendUtf8(std::string& out, char32_t c);

// The code point of the well-formed UTF-8 sequence at bytes[i], and its length; U+FFFD and 1
// for a byte that does not start one.
std::pair<char32_t, std::size_t> DecodeUtf8At(std::string_view bytes, std::size_t i);

}  // namespace kordex
