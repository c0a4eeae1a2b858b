#include "text/utf8.h"

namespace kordex {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

Utf8Sequence DecodeUtf8Sequence(std::string_view bytes, std::size_t i, Surrogates surrogates) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const Utf8Sequence byteAlone{lead, 1, false};
    // The lead byte tells how many continuation bytes follow.
    const int extra = lead < 0x80           ? 0
                      : (lead >> 5) == 0x6  ? 1
                      : (lead >> 4) == 0xE  ? 2
                      : (lead >> 3) == 0x1E ? 3
                                            : -1;
    if (extra == 0)
        return {lead, 1, true};
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= bytes.size())
        return byteAlone;
    char32_t c = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80)
            return byteAlone;
        c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are no characters.
    const bool overlong =
        (extra == 1 && c < 0x80) || (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000);
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF && surrogates == Surrogates::Refused;
    if (overlong || surrogate || c > 0x10FFFF)
        return byteAlone;
    return {c, static_cast<std::size_t>(extra) + 1, true};
}

std::pair<char32_t, std::size_t> DecodeUtf8At(std::string_view bytes, std::size_t i) {
    const Utf8Sequence sequence = DecodeUtf8Sequence(bytes, i);
    if (!sequence.wellFormed)
        return {0xFFFD, 1};
    return {sequence.codePoint, sequence.length};
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8Sequence sequence = DecodeUtf8Sequence(bytes, i);
        if (!sequence.wellFormed)
            return false;
        i += sequence.length;
    }
    return true;
}

}  // namespace kordex
