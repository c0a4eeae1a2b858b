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
        const Utf8Sequence sequence = DecodeUtf8Sequence(utf8, i);
        // Only ASCII and two-byte characters hold letters that fold; everything else, a byte
        // outside UTF-8 too, is copied as it stands.
        if (sequence.wellFormed && sequence.length <= 2)
            AppendUtf8(out, SmallLetter(sequence.codePoint));
        else
            out.append(utf8.substr(i, sequence.length));
        i += sequence.length;
    }
    return out;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return FoldLetterCase(a) == FoldLetterCase(b);
}

}  // namespace kordex
