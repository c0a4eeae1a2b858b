#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>

namespace kordex::app {

// Widgets carry the window's control names as object names: handlers, label stores and tests
// find them by these names.
template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

inline QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text) {
    return Named(new QLabel(text, parent), name);
}

inline QPushButton* NamedButton(QWidget* parent, const char* name, const QString& text,
                                bool bold = false) {
    auto* button = Named(new QPushButton(text, parent), name);
    if (bold) {
        QFont font = button->font();
        font.setBold(true);
        button->setFont(font);
    }
    return button;
}

inline void MakeBold(QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

}  // namespace kordex::app
