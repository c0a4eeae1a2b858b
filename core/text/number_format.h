#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kordex {

// The user's locale number format, passed in wherever numbers are read or written, never taken
// from a global: averages are written with it and sorts read them back with it.
struct NumberFormat {
    char decimalSeparator = ',';
};

// A decimal number in the format ("333,33" with ","): optional sign, digits, an optional
// fraction after the separator and an optional exponent; nothing when the text is not one.
std::optional<double> ParseLocaleNumber(std::string_view text, const NumberFormat& format);

// A whole number: optional sign and digits only, within 32 bits; nothing otherwise.
std::optional<int> ParseWholeNumber(std::string_view text);

// The value rounded to the nearest whole number, halves to the even neighbour; nothing when it
// is not finite or lies outside the range of long long.
std::optional<long long> RoundedWhole(long double value);

// A number in general form (up to 15 significant digits, no trailing zeros) with the format's
// decimal separator. The process's own C locale never decides the separator.
std::string FormatGeneral(double value, const NumberFormat& format);

// The text of an average: the exact quotient numerator / denominator cut (not rounded) to two
// decimals, written with both of them, or as a whole number when it is one: 7 / 10 gives
// "0,70", 1000 / 3 "333,33", 3 / 2 "1,50", 4 / 2 "2". Worked in integers, so no representation
// error of a binary fraction can take a hundredth off. The denominator must not be 0.
std::string FormatTwoDecimals(long long numerator, long long denominator,
                              const NumberFormat& format);
// The same for a value that is no quotient of two integers: cut from the shortest decimal that
// reads back as the same double, so 0.7 computed as 0.69999999999999996 still gives "0,70".
std::string FormatTwoDecimals(double value, const NumberFormat& format);

// An integer with its digits grouped by three from the right: 2049680 gives "2 049 680".
std::string GroupThousands(long long value);

}  // namespace kordex
