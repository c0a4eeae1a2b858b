#include "text/letter_case.h"

#include "text/utf8.h"

namespace kordex {

namespace {

// The small letter of a capital one; every other code point maps to itself.
char32_t SmallLetter(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)  // À to Þ, without the multiplication sign
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)  // Ѐ to Џ, Ё among them
        return c + 0x50;
    if (c >= 0x410 && c <= 0x42F)  // А to Я
        return c + 0x20;
    if (c == 0x490)  // Ґ
        return 0x491;
    return c;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

std::string FoldLetterCase(std::string_view utf8) {
    std::string out(utf8);
    // Most names are ASCII: folded in place, without decoding.
    std::size_t i = 0;
    for (; i < out.size() && static_cast<unsigned char>(out[i]) < 0x80; ++i)
        if (out[i] >= 'A' && out[i] <= 'Z')
            out[i] = static_cast<char>(out[i] + 0x20);
    if (i == out.size())
        return out;
    out.resize(i);
    while (i < utf8.size()) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(SmallLetter(lead));
            ++i;
            continue;
        }
        // Only two-byte characters hold letters that fold; everything else is copied whole.
        if ((lead >> 5) == 0x6 && i + 1 < utf8.size() &&
            IsContinuation(static_cast<unsigned char>(utf8[i + 1]))) {
            char32_t c = ((lead & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
            if (c >= 0x80)
                AppendUtf8(out, SmallLetter(c));
            else
                out.append(utf8.substr(i, 2));  // an overlong form is not a letter
            i += 2;
            continue;
        }
        out += utf8[i];
        ++i;
    }
    return out;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return FoldLetterCase(a) == FoldLetterCase(b);
}

}  // namespace kordex
