#include "support/comma_numeric_locale.h"

#include <clocale>
#include <cstring>

namespace kordex::test {

CommaNumericLocale::CommaNumericLocale() {
    if (const char* current = std::setlocale(LC_NUMERIC, nullptr))
        previous_ = current;
    for (const char* name : {"ru_RU.UTF-8", "ru_RU.utf8", "de_DE.UTF-8", "de_DE.utf8",
                             "fr_FR.UTF-8", "fr_FR.utf8", "ru_RU", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, name) == nullptr)
            continue;
        if (std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
            active_ = true;
            return;
        }
    }
    std::setlocale(LC_NUMERIC, previous_.empty() ? "C" : previous_.c_str());
}

CommaNumericLocale::~CommaNumericLocale() {
    std::setlocale(LC_NUMERIC, previous_.empty() ? "C" : previous_.c_str());
}

}  // namespace kordex::test
