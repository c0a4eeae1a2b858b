#pragma once

#include <QFont>

#include "platform/font_spec.h"

namespace kordex::app {

// The Qt font of a table's font; a missing family falls back to the nearest installed one.
inline QFont ToQFont(const FontSpec& fontSpec) {
    QFont font(QString::fromStdString(fontSpec.family));
    font.setPixelSize(fontSpec.pixelHeight);
    font.setBold(fontSpec.bold);
    return font;
}

}  // namespace kordex::app
