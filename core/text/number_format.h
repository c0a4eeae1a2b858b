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

// The text of an average: the value as a 32-bit float in general format (up to 15 significant
// digits, no trailing zeros), cut (not rounded) two characters after the decimal separator.
std::string FormatTwoDecimals(float value, const NumberFormat& format);

}  // namespace kordex
