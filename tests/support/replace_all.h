#pragma once

#include <string>

namespace kordex::test {

// The text with every occurrence of one piece replaced, left to right; a replacement is never
// searched again.
inline std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace kordex::test
