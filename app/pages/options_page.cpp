#include "pages/options_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "widget_names.h"

namespace kordex::app {

namespace {

QCheckBox* OptionRow(QGridLayout* grid, int row, const char* name, const QString& caption,
                     const QString& explanation) {
    auto* box = Named(new QCheckBox(caption), name);
    grid->addWidget(box, row, 0);
    grid->addWidget(new QLabel(explanation), row, 1);
    return box;
}

}  // namespace

OptionsPage::OptionsPage(QWidget* parent) : QWidget(parent) {
    gp_options_multi =
        Named(new QGroupBox(QStringLiteral("Отображение серии боев"), this), "gp_options_multi");
    auto* multi = new QGridLayout(gp_options_multi);
    MultiAdditional = OptionRow(
        multi, 0, "MultiAdditional", QStringLiteral("Собирать всю информацию по автору"),
        QStringLiteral("(включая кол-во выстрелов, урон по танку игрока, серебро и т.д.)"));
    MultiGroupPlayers =
        OptionRow(multi, 1, "MultiGroupPlayers", QStringLiteral("Группировать по боям"),
                  QStringLiteral("(игнорировать участие игроков в предыдущих боях)"));
    MultiToBegin = OptionRow(
        multi, 2, "MultiToBegin", QStringLiteral("\"Итого\" в начало"),
        QStringLiteral("(перенести колонки с суммарными и средними показателями в начало таблиц)"));
    multi->setColumnStretch(1, 1);

    gp_options_rep_mng =
        Named(new QGroupBox(QStringLiteral("Управления реплеями"), this), "gp_options_rep_mng");
    auto* library = new QGridLayout(gp_options_rep_mng);
    cb_AutoProcessReplays = OptionRow(
        library, 0, "cb_AutoProcessReplays", QStringLiteral("Автообработка"),
        QStringLiteral("(при запуске обрабатывать папку с реплеями и переключаться на вкладку)"));
    library->setColumnStretch(1, 1);

    gp_options_export = Named(new QGroupBox(QStringLiteral("Экспорт результатов серии боев"), this),
                              "gp_options_export");
    auto* exportLayout = new QVBoxLayout(gp_options_export);
    cb_export_enemies =
        Named(new QCheckBox(QStringLiteral("Экспортировать противников")), "cb_export_enemies");
    exportLayout->addWidget(cb_export_enemies);
    gp_remote_export =
        Named(new QGroupBox(QStringLiteral("Удаленный экспорт")), "gp_remote_export");
    exportLayout->addWidget(gp_remote_export);
    auto* remote = new QGridLayout(gp_remote_export);
    cb_remote_export_enable =
        Named(new QCheckBox(QStringLiteral("Включить")), "cb_remote_export_enable");
    ed_remote_server_address =
        Named(new QLineEdit(QStringLiteral("http://test.kordex.local/import.php")),
              "ed_remote_server_address");
    ed_remote_server_port = Named(new QLineEdit(QStringLiteral("00080")), "ed_remote_server_port");
    ed_remote_server_port->setMaxLength(5);
    ed_remote_server_port->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,5}")), ed_remote_server_port));
    // The port field is disabled by design; the start-up disables the other two.
    ed_remote_server_port->setEnabled(false);
    ed_remote_export_author =
        Named(new QLineEdit(QStringLiteral("Kordex")), "ed_remote_export_author");
    remote->addWidget(cb_remote_export_enable, 0, 0, 1, 2);
    remote->addWidget(new QLabel(QStringLiteral("Сервер:")), 1, 0);
    remote->addWidget(ed_remote_server_address, 1, 1);
    remote->addWidget(new QLabel(QStringLiteral("Порт:")), 2, 0);
    remote->addWidget(ed_remote_server_port, 2, 1);
    remote->addWidget(new QLabel(QStringLiteral("Автор:")), 3, 0);
    remote->addWidget(ed_remote_export_author, 3, 1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(gp_options_multi);
    page->addWidget(gp_options_rep_mng);
    page->addWidget(gp_options_export);
    page->addStretch(1);
}

void OptionsPage::DisableRemoteExport() {
    gp_options_export->hide();
    cb_remote_export_enable->setEnabled(false);
    ed_remote_server_address->setEnabled(false);
    ed_remote_export_author->setEnabled(false);
}

void OptionsPage::ShowSettings(const Settings& settings, QLineEdit& allReplaysFolder) {
    MultiAdditional->setChecked(settings.additional);
    MultiToBegin->setChecked(settings.toBegin);
    MultiGroupPlayers->setChecked(settings.group);
    allReplaysFolder.setText(QString::fromStdString(settings.allReplaysFolder));
    cb_AutoProcessReplays->setChecked(settings.autoProcessReplays);
    cb_remote_export_enable->setChecked(settings.remoteExport);
    ed_remote_server_address->setText(QString::fromStdString(settings.remoteServerAddress));
    ed_remote_server_port->setText(QString::fromStdString(settings.remoteServerPort));
}

Settings OptionsPage::CollectSettings(Settings read, const QLineEdit& allReplaysFolder) const {
    read.additional = MultiAdditional->isChecked();
    read.toBegin = MultiToBegin->isChecked();
    read.group = MultiGroupPlayers->isChecked();
    read.allReplaysFolder = allReplaysFolder.text().toStdString();
    read.autoProcessReplays = cb_AutoProcessReplays->isChecked();
    return read;
}

SeriesOptions OptionsPage::CheckedSeriesOptions() const {
    SeriesOptions options;
    options.multiAdditional = MultiAdditional->isChecked();
    options.multiToBegin = MultiToBegin->isChecked();
    options.multiGroupPlayers = MultiGroupPlayers->isChecked();
    return options;
}

}  // namespace kordex::app
