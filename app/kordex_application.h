#pragma once

#include <QApplication>

namespace kordex::app {

// The application object. Window handlers run under RunGuarded; this is the last net for a
// failure in an event override (drawing, a drop) that reaches the event loop.
class KordexApplication : public QApplication {
    Q_OBJECT
  public:
    KordexApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace kordex::app
