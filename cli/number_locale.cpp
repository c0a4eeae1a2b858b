#include "number_locale.h"

#ifndef _WIN32
#include <langinfo.h>
#include <locale.h>
#endif

#include <cstdlib>
#include <cstring>
#include <string>

namespace kordex::cli {

namespace {

// Languages that write a decimal comma, for locales this system has not installed.
bool WritesDecimalComma(std::string_view language) {
    static constexpr std::string_view kComma[] = {"ru", "uk", "be", "kk", "de", "fr", "es", "it",
                                                  "pl", "cs", "sk", "nl", "pt", "sv", "fi", "da",
                                                  "nb", "tr", "lt", "lv", "et", "bg", "hu", "ro"};
    for (std::string_view comma : kComma)
        if (language == comma)
            return true;
    return false;
}

}  // namespace

char DecimalSeparatorOfLocale(std::string_view name) {
    if (name.empty() || name == "C" || name == "POSIX")
        return '.';
#ifndef _WIN32
    // Windows names its locales otherwise ("Russian_Russia.1251"); the language decides there.
    const std::string text(name);
    if (locale_t locale = newlocale(LC_NUMERIC_MASK, text.c_str(), locale_t(nullptr))) {
        const char* radix = nl_langinfo_l(RADIXCHAR, locale);
        const char separator = radix && std::strlen(radix) == 1 ? radix[0] : '.';
        freelocale(locale);
        return separator;
    }
#endif
    const std::string_view language = name.substr(0, name.find_first_of("_.@"));
    return WritesDecimalComma(language) ? ',' : '.';
}

char DecimalSeparatorFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return DecimalSeparatorOfLocale(value);
    }
    return '.';
}

}  // namespace kordex::cli
