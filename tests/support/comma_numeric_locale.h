#pragma once

#include <string>

namespace kordex::test {

// Switches the process's C numeric locale to one that writes "," as its decimal point, as a
// desktop toolkit does at start-up under a Russian or German desktop, and restores the old one
// when the object goes. Active() is false when the system has no such locale installed.
class CommaNumericLocale {
  public:
    CommaNumericLocale();
    ~CommaNumericLocale();
    CommaNumericLocale(const CommaNumericLocale&) = delete;
    CommaNumericLocale& operator=(const CommaNumericLocale&) = delete;

    bool Active() const { return active_; }

  private:
    std::string previous_;
    bool active_ = false;
};

}  // namespace kordex::test

// Skips the current test, with a message, when no comma locale is installed.
#define KORDEX_REQUIRE_COMMA_LOCALE(locale)                                               \
    do {                                                                                  \
        if (!(locale).Active())                                                           \
            GTEST_SKIP() << "no locale with a decimal comma is installed; check skipped"; \
    } while (0)
