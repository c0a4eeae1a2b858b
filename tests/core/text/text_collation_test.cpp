#include "text/text_collation.h"

#include <gtest/gtest.h>

namespace kordex {
namespace {

TEST(TextCollation, OrdersLikeADictionaryWithLowerCaseFirst) {
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"", " "},           // empty text first
        {"a", "ab"},         // a prefix first
        {"-", "0"},          // punctuation before digits
        {"9", "a"},          // digits before letters
        {"10", "9"},         // texts, not numbers
        {"a", "A"},          // lower case before its capital
        {"A", "b"},          // case only after the letters
        {"Abc", "abd"},      //
        {"zebra", "арбуз"},  // Latin before Cyrillic
        {"т", "Т"},          //
        {"Т", "у"},          //
        {"еж", "ёж"},        // "ё" is "е" with an accent
        {"ёж", "ежик"},      //
        {"ёж", "жук"},       //
        {"Ёж", "ежик"},      //
        {"и", "і"},          // Ukrainian letters beside their neighbours
        {"і", "й"},          //
        {"e", "é"},          // accents after the plain letter
        {"é", "f"},          //
        {"Škoda", "Sl"},     // an accented capital sorts as its letter
        {"Победа", "Поражение"},
        {"Ничья", "Победа"},
        {"2017.05.27 21:04:33", "2017.05.28 08:00:00"},
    };
    for (const auto& c : cases) {
        EXPECT_LT(CollateTexts(c.before, c.after), 0) << c.before << " < " << c.after;
        EXPECT_GT(CollateTexts(c.after, c.before), 0) << c.after << " > " << c.before;
        EXPECT_LT(CollationKey(c.before), CollationKey(c.after)) << c.before;
    }
}

TEST(TextCollation, OnlyEqualTextsCollateEqual) {
    EXPECT_EQ(CollateTexts("Ошибка", "Ошибка"), 0);
    EXPECT_EQ(CollateTexts("", ""), 0);
    // Malformed UTF-8 still orders, and distinctly from the character it resembles.
    EXPECT_NE(CollateTexts("\xC3", "\xC3\xA9"), 0);
    EXPECT_NE(CollateTexts("\xFF", "\xC3\xBF"), 0);
}

}  // namespace
}  // namespace kordex
