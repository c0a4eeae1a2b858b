#include "text/windows1251.h"

#include "text/utf8.h"

namespace kordex {

namespace {

// Code points of the bytes 0x80 to 0xFF; 0x98, unassigned, becomes U+FFFD.
static constexpr char16_t kHighHalf[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};
// The windows-1251 byte of a code point above 0x7F, or 0 when the code page lacks it.
unsigned char HighByteOf(char32_t c) {
    for (int i = 0; i < 128; ++i) {
        // 0x98 is unassigned; its U+FFFD in the table is not a character of the code page.
        if (i != 0x18 && kHighHalf[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return 0;
}

}  // namespace

std::string Utf8ToWindows1251(std::string_view utf8,
                              const std::function<std::string(char32_t)>& unencodable) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [c, length] = DecodeUtf8At(utf8, i);
        i += length;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (const unsigned char byte = HighByteOf(c); byte != 0) {
            out += static_cast<char>(byte);
        } else {
            out += unencodable(c);
        }
    }
    return out;
}

std::optional<std::string> Utf8ToWindows1251(std::string_view utf8) {
    bool encodable = true;
    std::string bytes = Utf8ToWindows1251(utf8, [&encodable](char32_t) {
        encodable = false;
        return std::string();
    });
    if (!encodable)
        return std::nullopt;
    return bytes;
}

std::string Windows1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80)
            out += ch;
        else
            AppendUtf8(out, kHighHalf[byte - 0x80]);
    }
    return out;
}

}  // namespace kordex
