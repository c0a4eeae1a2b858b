#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QWidget>

namespace kordex::app {

// The tab "Настройки": the series options, the automatic library scan and the hidden group of
// the remote export, whose values are only carried through the settings file.
class OptionsPage : public QWidget {
    Q_OBJECT
  public:
    explicit OptionsPage(QWidget* parent = nullptr);

    QGroupBox* gp_options_multi;
    QCheckBox* MultiAdditional;
    QCheckBox* MultiGroupPlayers;
    QCheckBox* MultiToBegin;
    QGroupBox* gp_options_rep_mng;
    QCheckBox* cb_AutoProcessReplays;
    QGroupBox* gp_options_export;
    QCheckBox* cb_export_enemies;
    QGroupBox* gp_remote_export;
    QCheckBox* cb_remote_export_enable;
    QLineEdit* ed_remote_server_address;
    QLineEdit* ed_remote_server_port;
    QLineEdit* ed_remote_export_author;
};

}  // namespace kordex::app
