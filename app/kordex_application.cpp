#include "kordex_application.h"

#include <QFont>
#include <exception>

#include "default_error_handling.h"
#include "qt_translation.h"

namespace kordex::app {

KordexApplication::KordexApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Kordex"));
    // The window speaks Russian; so do Qt's own dialogs, buttons and menus.
    InstallQtTranslation(*this);
    // The window is laid out for Tahoma; where it is missing, fonts of about its width keep the
    // tables' columns readable.
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans Condensed")});
}

bool KordexApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowDefaultError(error.what());
        return false;
    }
}

}  // namespace kordex::app
