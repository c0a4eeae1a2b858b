#pragma once

#include <QWidget>

namespace kordex::app {

// The tab "Подробно": the recording player's results of one battle as caption and value label
// pairs; the value labels are named "Label_" and the results key they show.
class PersonalPanel : public QWidget {
    Q_OBJECT
  public:
    explicit PersonalPanel(QWidget* parent = nullptr);
};

}  // namespace kordex::app
