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

std::string FormatTwoDecimals(float value, const NumberFormat& format) {
    std::string text = FormatGeneral(static_cast<double>(value), format);
    if (text.find('E') != std::string::npos)
        return text;
    const auto separator = text.find(format.decimalSeparator);
    if (separator != std::string::npos && text.size() > separator + 3)
        text.resize(separator + 3);
    return text;
}

}  // namespace kordex
