#include "kordex_application.h"

#include <exception>

#include "default_error_handling.h"

namespace kordex::app {

KordexApplication::KordexApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Kordex"));
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
