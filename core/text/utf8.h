#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace kordex {

// Appends the UTF-8 bytes of a code point.
void AppendUtf8(std::string& out, char32_t c);

// One UTF-8 sequence read at a position.
struct Utf8Sequence {
    char32_t codePoint = 0;
    std::size_t length = 1;
    bool wellFormed = false;
};

// Whether a three-byte encoding of a surrogate counts as a sequence. UTF-8 has none; the JSON
// writer keeps the lone "\udc00" escapes its parser wrote that way.
enum class Surrogates { Refused, Kept };

// The one lead-byte decoder of the program. A byte that starts no well-formed sequence
// (a stray continuation byte, a cut or overlong sequence, a code point beyond U+10FFFF) gives
// wellFormed false, length 1 and the byte's own value, so each caller decides what it means.
Utf8Sequence DecodeUtf8Sequence(std::string_view bytes, std::size_t i,
                                Surrogates surrogates = Surrogates::Refused);

// The code point of the well-formed UTF-8 sequence at bytes[i], and its length; U+FFFD and 1
// for a byte that does not start one.
std::pair<char32_t, std::size_t> DecodeUtf8At(std::string_view bytes, std::size_t i);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace kordex
