#include "text/utf8.h"

#include <gtest/gtest.h>

#include "text/letter_case.h"
#include "text/windows1251.h"

namespace kordex {
namespace {

TEST(DecodeUtf8Sequence, ReadsOneSequenceOrTheByteAlone) {
    struct Case {
        std::string_view bytes;
        char32_t codePoint;
        std::size_t length;
        bool wellFormed;
    };
    const Case cases[] = {
        {"A", U'A', 1, true},
        {"\xD0\xAF", U'Я', 2, true},
        {"\xE2\x84\x96", U'№', 3, true},
        {"\xF0\x9F\x98\x80", 0x1F600, 4, true},
        {"\x80", 0x80, 1, false},  // a continuation byte alone
        {"\xD0", 0xD0, 1, false},  // cut at the end
        {"\xD0"
         "A",
         0xD0, 1, false},                      // no continuation
        {"\xC0\x80", 0xC0, 1, false},          // overlong NUL
        {"\xE0\x80\xAF", 0xE0, 1, false},      // overlong "/"
        {"\xED\xB0\x80", 0xED, 1, false},      // a surrogate
        {"\xF4\x90\x80\x80", 0xF4, 1, false},  // beyond U+10FFFF
        {"\xFF", 0xFF, 1, false},
    };
    for (const Case& c : cases) {
        const Utf8Sequence sequence = DecodeUtf8Sequence(c.bytes, 0);
        EXPECT_EQ(sequence.codePoint, c.codePoint) << testing::PrintToString(c.bytes);
        EXPECT_EQ(sequence.length, c.length) << testing::PrintToString(c.bytes);
        EXPECT_EQ(sequence.wellFormed, c.wellFormed) << testing::PrintToString(c.bytes);
        EXPECT_EQ(IsValidUtf8(c.bytes), c.wellFormed) << testing::PrintToString(c.bytes);
    }
    // The JSON writer's lone surrogate escapes.
    const Utf8Sequence kept = DecodeUtf8Sequence("\xED\xB0\x80", 0, Surrogates::Kept);
    EXPECT_EQ(kept.codePoint, 0xDC00u);
    EXPECT_EQ(kept.length, 3u);
}

// The users of the one decoder agree on what a stray byte is.
TEST(DecodeUtf8Sequence, StrayBytesSurviveCaseFoldingAndFailTheStrictCodePage) {
    EXPECT_EQ(FoldLetterCase("\xD0\xAF\x80Z\xC0\x80"), "\xD1\x8F\x80z\xC0\x80");
    EXPECT_EQ(Utf8ToWindows1251("Я\x80"), std::nullopt);
    EXPECT_EQ(Utf8ToWindows1251("Яz"), std::optional<std::string>("\xDFz"));
    EXPECT_EQ(Utf8ToWindows1251("😀"), std::nullopt);
}

}  // namespace
}  // namespace kordex
