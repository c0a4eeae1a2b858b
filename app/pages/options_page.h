#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QWidget>

#include "series/series_run.h"
#include "window/settings_file.h"

namespace kordex::app {

// The tab "Настройки": the series options, the automatic library scan and the hidden group of
// the remote export, whose values are only carried through the settings file.
class OptionsPage : public QWidget {
    Q_OBJECT
  public:
    explicit OptionsPage(QWidget* parent = nullptr);

    // The export settings and the remote export stay out of reach (start-up step 1).
    void DisableRemoteExport();
    // The settings read at start-up into the check boxes, the remote-export fields and the
    // library's folder field; the settings at close from them, the others kept as read.
    void ShowSettings(const Settings& settings, QLineEdit& allReplaysFolder);
    Settings CollectSettings(Settings read, const QLineEdit& allReplaysFolder) const;
    // The three series options as checked.
    SeriesOptions CheckedSeriesOptions() const;

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
