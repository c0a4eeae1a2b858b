#include "text/number_format.h"

#include <gtest/gtest.h>

#include "support/comma_numeric_locale.h"
#include "tables/cell_markers.h"

namespace kordex {
namespace {

const NumberFormat kComma{','};
const NumberFormat kPoint{'.'};

TEST(FormatTwoDecimals, CutsTheThirdDecimalOfTheFloatValue) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {1000.0f / 3, "333,33"}, {1.0f / 8, "0,12"}, {3.0f / 2, "1,5"}, {2.0f, "2"},
        {7.0f / 10, "0,69"},     {0.0f, "0"},        {-2.5f, "-2,5"},   {150.0f, "150"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTwoDecimals(c.value, kComma), c.text) << c.value;
    EXPECT_EQ(FormatTwoDecimals(1000.0f / 3, kPoint), "333.33");
}

TEST(FormatTwoDecimals, TheProcessNumericLocaleDoesNotDecide) {
    // The window's toolkit sets the process locale from the desktop; the separator passed in
    // must still be the only one written, and the cut must still happen.
    test::CommaNumericLocale locale;
    KORDEX_REQUIRE_COMMA_LOCALE(locale);
    EXPECT_EQ(FormatTwoDecimals(1000.0f / 3, kComma), "333,33");
    EXPECT_EQ(FormatTwoDecimals(7.0f / 10, kComma), "0,69");
    EXPECT_EQ(FormatTwoDecimals(1000.0f / 3, kPoint), "333.33");
    EXPECT_EQ(FormatTwoDecimals(3.0f / 2, kPoint), "1.5");
    EXPECT_EQ(FormatTwoDecimals(2.0f, kComma), "2");
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
