#include "default_error_handling.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "platform/qt_desktop.h"

namespace kordex::app {

namespace {

std::function<void(const std::string&)>& Reporter() {
    static std::function<void(const std::string&)> reporter;
    return reporter;
}

}  // namespace

void ShowDefaultError(const std::string& description) {
    if (Reporter()) {
        Reporter()(description);
        return;
    }
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), QString::fromStdString(description),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void SetDefaultErrorReporter(std::function<void(const std::string&)> reporter) {
    Reporter() = std::move(reporter);
}

void RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowDefaultError(error.what());
    }
}

}  // namespace kordex::app
