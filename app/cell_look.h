#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace kordex::app {

// What a table's drawing hook decides for one cell. A cell the hook leaves alone keeps the
// table's own drawing: its normal background and its text at (2, 2).
struct CellLook {
    enum class Fill {
        Normal,      // the cell's normal background (white body, button-face header)
        Colour,      // fillColour
        ButtonFace,  // the system colour of button faces
        Highlight,   // the system colour of selected cells
    };
    Fill fill = Fill::Normal;
    QColor fillColour;
    std::optional<QColor> textColour;  // unset: the table's text colour
    QString text;                      // the text shown
    QPoint offset{2, 2};               // of the text from the cell's top-left corner
    QString secondLine;                // shown below, when not empty
    QPoint secondOffset{3, 22};
};

// The drawing hook of a table: column and row in the table, the cell's text, whether the cell
// is selected; nothing means "keep the table's own drawing".
using CellLookHook = std::function<std::optional<CellLook>(int column, int row,
                                                           const std::string& text, bool selected)>;

}  // namespace kordex::app
