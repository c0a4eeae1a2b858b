#pragma once

#include <string>

namespace kordex {

// The font a table draws its text in, for measuring text widths.
struct FontSpec {
    std::string family = "Tahoma";
    int pixelHeight = 12;
    bool bold = false;
};

}  // namespace kordex
