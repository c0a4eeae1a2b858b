#pragma once

#include <string_view>

namespace kordex::cli {

// The decimal separator of the environment's locale, named by the first of LC_ALL, LC_NUMERIC
// and LANG that is set: a Russian locale gives ','; without a locale, '.'.
char DecimalSeparatorFromEnvironment();

// The same for one locale name such as "ru_RU.UTF-8".
char DecimalSeparatorOfLocale(std::string_view name);

}  // namespace kordex::cli
