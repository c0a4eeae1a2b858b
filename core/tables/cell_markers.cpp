#include "tables/cell_markers.h"

namespace kordex {

std::string_view ValuePart(std::string_view cell) {
    return cell.substr(0, cell.find(';'));
}

std::string_view MarkerField(std::string_view cell, int n) {
    std::size_t start = 0;
    for (int field = 0; field < n; ++field) {
        const auto next = cell.find(';', start);
        if (next == std::string_view::npos)
            return {};
        start = next + 1;
    }
    return cell.substr(start, cell.find(';', start) - start);
}

}  // namespace kordex
