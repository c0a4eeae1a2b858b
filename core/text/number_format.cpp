#include "text/number_format.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kordex {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of a run of digits starting at position i.
std::size_t DigitRun(std::string_view text, std::size_t i) {
    std::size_t n = 0;
    while (i + n < text.size() && IsDigit(text[i + n]))
        ++n;
    return n;
}

}  // namespace

std::optional<double> ParseLocaleNumber(std::string_view text, const NumberFormat& format) {
    // Validate the shape first so that strtod's own locale and leniency never decide.
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t integerDigits = DigitRun(text, i);
    i += integerDigits;
    std::size_t fractionDigits = 0;
    const std::size_t separatorAt = i;
    if (i < text.size() && text[i] == format.decimalSeparator) {
        fractionDigits = DigitRun(text, i + 1);
        i += 1 + fractionDigits;
    }
    if (integerDigits + fractionDigits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t exponentDigits = DigitRun(text, j);
        if (exponentDigits == 0)
            return std::nullopt;
        i = j + exponentDigits;
    }
    if (i != text.size())
        return std::nullopt;

    std::string plain(text);
    if (separatorAt < plain.size() && plain[separatorAt] == format.decimalSeparator)
        plain[separatorAt] = '.';
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size()) {
        // from_chars rejects a leading '+'.
        if (!plain.empty() && plain[0] == '+')
            return ParseLocaleNumber(text.substr(1), format);
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseWholeNumber(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size() || DigitRun(text, i) != text.size() - i)
        return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL || value < -2147483648LL)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<long long> RoundedWhole(long double value) {
    // nearbyint rounds in the current mode, which is to nearest with halves to even. The range
    // test is made on the rounded value: 2^63 is exact in long double, the limit itself is not.
    const long double rounded = std::nearbyintl(value);
    constexpr long double kLimit = 9223372036854775808.0L;
    if (!std::isfinite(rounded) || rounded >= kLimit || rounded < -kLimit)
        return std::nullopt;
    return static_cast<long long>(rounded);
}

std::string FormatGeneral(double value, const NumberFormat& format) {
    // to_chars writes as printf does in the "C" locale, whatever locale the process has set.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == '.')
            c = format.decimalSeparator;
        else if (c == 'e')
            c = 'E';
    }
    return text;
}

namespace {

// "int,frac" with the fraction cut (not rounded) to exactly two digits; a whole value has no
// fraction at all. So 7/10 reads 0,70 beside 0,33 in a column, and 900 stays 900.
std::string CutDecimalText(bool negative, std::string integer, std::string fraction,
                           const NumberFormat& format) {
    if (fraction.find_first_not_of('0') == std::string::npos)
        fraction.clear();
    else
        fraction.resize(2, '0');
    // A value that cuts to nothing at all has no sign: -0.001 is not "-0,00".
    const bool zero = integer.find_first_not_of('0') == std::string::npos &&
                      fraction.find_first_not_of('0') == std::string::npos;
    std::string text = negative && !zero ? "-" : "";
    text += integer;
    if (!fraction.empty()) {
        text += format.decimalSeparator;
        text += fraction;
    }
    return text;
}

}  // namespace

std::string FormatTwoDecimals(long long numerator, long long denominator,
                              const NumberFormat& format) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const bool negative = numerator < 0;
    const unsigned long long magnitude = negative
                                             ? 0ULL - static_cast<unsigned long long>(numerator)
                                             : static_cast<unsigned long long>(numerator);
    const auto d = static_cast<unsigned long long>(denominator);
    // The hundredths come from the remainder, so no product can leave 64 bits.
    const unsigned long long whole = magnitude / d;
    const unsigned long long remainder = magnitude % d;
    const auto cents = static_cast<unsigned>(remainder * 100 / d);
    const bool rest = remainder * 100 % d != 0;
    std::string fraction{char('0' + cents / 10), char('0' + cents % 10)};
    // A third digit stands for what was cut, so a value just above a whole keeps ",00".
    if (rest)
        fraction += '1';
    return CutDecimalText(negative, std::to_string(whole), fraction, format);
}

std::string FormatTwoDecimals(double value, const NumberFormat& format) {
    char buffer[512];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const bool negative = text.starts_with('-');
    if (negative)
        text.remove_prefix(1);
    const auto point = text.find('.');
    const std::string integer(text.substr(0, point));
    const std::string fraction =
        point == std::string_view::npos ? std::string() : std::string(text.substr(point + 1));
    return CutDecimalText(negative, integer, fraction, format);
}

std::string GroupThousands(long long value) {
    const std::string digits = std::to_string(value);
    const std::size_t first = digits.starts_with('-') ? 1 : 0;
    std::string grouped = digits.substr(0, first);
    for (std::size_t i = first; i < digits.size(); ++i) {
        // A blank before every digit that starts a group of three counted from the right.
        if (i > first && (digits.size() - i) % 3 == 0)
            grouped += ' ';
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace kordex
