#include "text/windows1251.h"

#include <gtest/gtest.h>

namespace kordex {
namespace {

std::string Question(char32_t) {
    return "?";
}

TEST(Windows1251, EveryAssignedByteSurvivesTheRoundTrip) {
    for (int byte = 1; byte < 256; ++byte) {
        if (byte == 0x98)
            continue;
        const std::string original(1, static_cast<char>(byte));
        EXPECT_EQ(Utf8ToWindows1251(Windows1251ToUtf8(original), Question), original) << byte;
    }
}

TEST(Windows1251, CharactersOutsideTheCodePageGoToTheCaller) {
    std::u32string seen;
    const auto record = [&seen](char32_t c) {
        seen += c;
        return std::string("#");
    };
    // U+FFFD stands for the unassigned byte 0x98 when decoding, but is no character of it.
    EXPECT_EQ(Utf8ToWindows1251("a\xEF\xBF\xBD"
                                "b\xCE\xA9\xC3",
                                record),
              "a#b##");
    EXPECT_EQ(seen, (std::u32string{0xFFFD, 0x03A9, 0xFFFD}));
}

}  // namespace
}  // namespace kordex
