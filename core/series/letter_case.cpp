#include "series/letter_case.h"

namespace kordex {

namespace {

char32_t SmallLetter(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)  // Latin-1 capitals, without the multiplication sign
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)  // Ё, Ђ … Џ
        return c + 0x50;
    if (c >= 0x410 && c <= 0x42F)  // А … Я
        return c + 0x20;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // Only two-byte letters are folded, so longer sequences are copied before reaching here.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string FoldLetterCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            AppendUtf8(out, SmallLetter(byte));
            ++i;
            continue;
        }
        // A well-formed two-byte sequence is decoded; anything else is copied byte by byte.
        if ((byte & 0xE0) == 0xC0 && i + 1 < text.size() &&
            (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
            const char32_t c =
                ((byte & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
            if (c >= 0x80) {
                AppendUtf8(out, SmallLetter(c));
                i += 2;
                continue;
            }
        }
        out += text[i];
        ++i;
    }
    return out;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return FoldLetterCase(a) == FoldLetterCase(b);
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    return FoldLetterCase(a).compare(FoldLetterCase(b));
}

}  // namespace kordex
