#pragma once

#include <QDialog>

namespace kordex {
class Desktop;
}

class QPushButton;

namespace kordex::app {

// The dialog "О программе": the title, what the program is for, the supported client versions
// and two links that open the program's discussion threads in the browser.
class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    TAboutBox(Desktop& desktop, QWidget* parent = nullptr);

    QPushButton* OKButton() const { return ok_; }

  private:
    QPushButton* ok_;
};

}  // namespace kordex::app
