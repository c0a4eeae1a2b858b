#include "tables/cell_style.h"

namespace kordex {

std::optional<Rgb> ExtremeMarkerColour(int marker) {
    switch (marker) {
        case -1:
            return colours::kMarkerLowest;
        case 0:
            return colours::kBlack;
        case 1:
            return colours::kMarkerHighest;
        default:
            return std::nullopt;
    }
}

}  // namespace kordex
