#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kordex {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colours that belong to the desktop's colour scheme; the window looks them up.
enum class SystemColour {
    ButtonFace,             // the face of buttons and of the tables' title cells
    GradientActiveCaption,  // the gradient end of an active window's caption
};

// A fill or text colour: fixed, or the desktop's.
using Colour = std::variant<Rgb, SystemColour>;

// One line of text written into a cell, at an offset in pixels from the top-left corner of
// the cell's rectangle.
struct TextLine {
    std::string text;
    int x = 0;
    int y = 0;

    friend bool operator==(const TextLine&, const TextLine&) = default;
};

// What a table's cell-drawing handler decides for one cell. The window's delegate first draws
// the cell as the table always does (its normal background, selection included, and its text);
// when `custom` is set it then fills the rectangle and writes the lines instead, clipped to
// the rectangle.
struct CellStyle {
    // False: the table's own drawing stays and nothing below applies.
    bool custom = false;
    // The fill; nothing means the cell's normal background, the one the table drew.
    std::optional<Colour> background;
    // Nothing means the cell's normal text colour (selected cells included).
    std::optional<Rgb> textColour;
    bool bold = false;
    std::vector<TextLine> lines;
    // Pixels the rectangle is widened on the left and on the right, over the grid lines.
    int widen = 0;
    // Set when the cell's markers cannot be read: the table's own drawing stays, and the
    // window may report the description through the default error handling.
    std::string failure;

    friend bool operator==(const CellStyle&, const CellStyle&) = default;
};

// Colours shared by the tables' drawing.
namespace colours {
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kMarkerLowest{255, 0, 0};     // text of a team's lowest value
inline constexpr Rgb kMarkerHighest{0, 128, 0};    // text of a team's highest value
inline constexpr Rgb kLightGreen{216, 255, 216};   // alive; "+" in "Жив"; a win in the library
inline constexpr Rgb kLightRed{255, 216, 216};     // destroyed; a loss in the library
inline constexpr Rgb kLightYellow{255, 255, 216};  // a draw in the library
inline constexpr Rgb kGrey{219, 219, 219};         // battles that are not results
}  // namespace colours

// The text colour an extreme marker ("-1", "0", "+1") selects; nothing for any other number,
// which leaves the colour unchanged.
std::optional<Rgb> ExtremeMarkerColour(int marker);

}  // namespace kordex
