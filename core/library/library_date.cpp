#include "library/library_date.h"

#include <cstdio>

#include "text/number_format.h"

namespace kordex {

namespace {

// Splits "a<sep>b<sep>c" into three whole numbers.
bool ReadTriple(std::string_view text, char separator, int (&parts)[3]) {
    for (int i = 0; i < 3; ++i) {
        const auto end = i < 2 ? text.find(separator) : text.size();
        if (end == std::string_view::npos)
            return false;
        const auto digits = text.substr(0, end);
        if (digits.empty() || digits.front() == '+' || digits.front() == '-')
            return false;
        const auto value = ParseWholeNumber(digits);
        if (!value)
            return false;
        parts[i] = *value;
        text.remove_prefix(i < 2 ? end + 1 : end);
    }
    return true;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<std::string> LibraryDate(std::string_view dateTime) {
    const auto space = dateTime.find(' ');
    if (space == std::string_view::npos)
        return std::nullopt;
    int date[3];
    int time[3];
    if (!ReadTriple(dateTime.substr(0, space), '.', date) ||
        !ReadTriple(dateTime.substr(space + 1), ':', time))
        return std::nullopt;
    const int day = date[0], month = date[1], year = date[2];
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return std::nullopt;
    if (time[0] > 23 || time[1] > 59 || time[2] > 59)
        return std::nullopt;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d.%02d.%02d %02d:%02d:%02d", year, month, day, time[0],
                  time[1], time[2]);
    return std::string(buffer);
}

}  // namespace kordex
