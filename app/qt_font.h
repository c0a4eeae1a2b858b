#pragma once

#include <QFont>

#include "tables/font_spec.h"

namespace kordex::app {

// The Qt font of a table's font; a missing family falls back to the nearest installed one.
inline QFont ToQFont(const FontSpec& spec) {
    QFont font(QString::fromStdString(spec.family));
    font.setPixelSize(spec.pixelHeight);
    font.setBold(spec.bold);
    return font;
}

}  // namespace kordex::app
