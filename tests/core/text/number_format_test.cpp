#include "text/number_format.h"

#include <gtest/gtest.h>

#include "support/comma_numeric_locale.h"
#include "tables/cell_markers.h"

namespace kordex {
namespace {

const NumberFormat kComma{','};
const NumberFormat kPoint{'.'};

TEST(FormatTwoDecimals, CutsTheExactQuotientAtTheSecondDecimal) {
    struct Case {
        long long numerator, denominator;
        const char* text;
    };
    const Case cases[] = {
        {1000, 3, "333,33"},    {1, 8, "0,12"},
        {3, 2, "1,50"},         {4, 2, "2"},
        {7, 10, "0,70"},        {0, 5, "0"},
        {-5, 2, "-2,50"},       {150, 1, "150"},
        {10582, 10, "1058,20"}, {13, 5, "2,60"},
        {3001, 10000, "0,30"},  {1, 300, "0,00"},
        {-1, 300, "0,00"},      {-2, 3, "-0,66"},
        {5, -2, "-2,50"},       {9'000'000'000'000'000'000LL, 7, "1285714285714285714,28"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTwoDecimals(c.numerator, c.denominator, kComma), c.text)
            << c.numerator << " / " << c.denominator;
    EXPECT_EQ(FormatTwoDecimals(1000, 3, kPoint), "333.33");
}

TEST(FormatTwoDecimals, EveryQuotientOfSmallTotalsMatchesTheDecimalExpansion) {
    // Against the digits of long division, written out independently of the function.
    for (long long denominator = 1; denominator <= 40; ++denominator) {
        for (long long numerator = 0; numerator <= 4000; numerator += 7) {
            const long long whole = numerator / denominator;
            long long rest = numerator % denominator;
            std::string digits;
            for (int i = 0; i < 2; ++i) {
                rest *= 10;
                digits += char('0' + rest / denominator);
                rest %= denominator;
            }
            // A whole quotient is written without decimals, any other with both.
            if (rest == 0 && digits == "00")
                digits.clear();
            const std::string expected =
                std::to_string(whole) + (digits.empty() ? "" : "," + digits);
            ASSERT_EQ(FormatTwoDecimals(numerator, denominator, kComma), expected)
                << numerator << " / " << denominator;
        }
    }
}

TEST(FormatTwoDecimals, ADoubleIsCutFromItsShortestDecimal) {
    EXPECT_EQ(FormatTwoDecimals(7.0 / 10, kComma), "0,70");
    EXPECT_EQ(FormatTwoDecimals(0.1 + 0.2, kComma), "0,30");  // 0.30000000000000004
    EXPECT_EQ(FormatTwoDecimals(1058.2, kComma), "1058,20");
    EXPECT_EQ(FormatTwoDecimals(2.0, kPoint), "2");
    EXPECT_EQ(FormatTwoDecimals(-0.001, kComma), "0,00");
    EXPECT_EQ(FormatTwoDecimals(-12.345, kPoint), "-12.34");
}

TEST(FormatTwoDecimals, TheProcessNumericLocaleDoesNotDecide) {
    // The window's toolkit sets the process locale from the desktop; the separator passed in
    // must still be the only one written, and the cut must still happen.
    test::CommaNumericLocale locale;
    KORDEX_REQUIRE_COMMA_LOCALE(locale);
    EXPECT_EQ(FormatTwoDecimals(1000, 3, kComma), "333,33");
    EXPECT_EQ(FormatTwoDecimals(7, 10, kComma), "0,70");
    EXPECT_EQ(FormatTwoDecimals(1000, 3, kPoint), "333.33");
    EXPECT_EQ(FormatTwoDecimals(1.5, kPoint), "1.50");
    EXPECT_EQ(FormatTwoDecimals(2.0, kComma), "2");
}

TEST(GroupThousands, GroupsEveryThreeDigits) {
    const std::pair<long long, const char*> cases[] = {
        {0, "0"},          {999, "999"},
        {1000, "1 000"},   {2049680, "2 049 680"},
        {-1500, "-1 500"}, {-123456789, "-123 456 789"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(GroupThousands(value), text);
}

TEST(ParseLocaleNumber, ReadsTheLocaleSeparatorOnly) {
    EXPECT_EQ(ParseLocaleNumber("333,33", kComma), 333.33);
    EXPECT_EQ(ParseLocaleNumber("-1,5", kComma), -1.5);
    EXPECT_EQ(ParseLocaleNumber("+7", kComma), 7.0);
    EXPECT_EQ(ParseLocaleNumber("1e3", kComma), 1000.0);
    EXPECT_EQ(ParseLocaleNumber("2.5", kPoint), 2.5);
    for (const char* bad : {"", "error", "1.5", ",", "1,5x", " 1", "1e", "-"})
        EXPECT_FALSE(ParseLocaleNumber(bad, kComma)) << bad;
}

TEST(ParseWholeNumber, AcceptsSignedDigitsWithin32Bits) {
    EXPECT_EQ(ParseWholeNumber("0"), 0);
    EXPECT_EQ(ParseWholeNumber("-15"), -15);
    EXPECT_EQ(ParseWholeNumber("+15"), 15);
    EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(ParseWholeNumber("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "-", "2147483648", "1.0", "12a", " 1", "9999999999999"})
        EXPECT_FALSE(ParseWholeNumber(bad)) << bad;
}

TEST(CellMarkers, SplitValueAndMarkers) {
    EXPECT_EQ(ValuePart("850;+1;true"), "850");
    EXPECT_EQ(ValuePart("850"), "850");
    EXPECT_EQ(MarkerField("850;+1;true", 1), "+1");
    EXPECT_EQ(MarkerField("850;+1;true", 2), "true");
    EXPECT_EQ(MarkerField("850;+1", 2), "");
    EXPECT_EQ(MarkerField("850", 1), "");
}

}  // namespace
}  // namespace kordex
