#include "text/boolean_text.h"

#include "text/letter_case.h"

namespace kordex {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number (either separator, optional exponent); whether it is zero, or nothing.
std::optional<bool> NumberIsZero(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool anyDigit = false;
    bool nonZero = false;
    bool separatorSeen = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            anyDigit = true;
            nonZero = nonZero || text[i] != '0';
        } else if ((text[i] == '.' || text[i] == ',') && !separatorSeen) {
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const std::size_t exponentStart = i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        if (i == exponentStart)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    return !nonZero;
}

std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<bool> ParseBooleanText(std::string_view text) {
    text = TrimSpaces(text);
    if (EqualIgnoringCase(text, "true"))
        return true;
    if (EqualIgnoringCase(text, "false"))
        return false;
    if (const auto zero = NumberIsZero(text))
        return !*zero;
    return std::nullopt;
}

std::string_view BooleanText(bool value) {
    return value ? "-1" : "0";
}

}  // namespace kordex
