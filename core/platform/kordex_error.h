#pragma once

#include <stdexcept>
#include <string>

namespace kordex {

// A failure no step handles itself: it ends the handler and reaches the application's
// default error handling, which shows its description.
class KordexError : public std::runtime_error {
  public:
    explicit KordexError(const std::string& description) : std::runtime_error(description) {}
};

}  // namespace kordex
