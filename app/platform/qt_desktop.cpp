#include "platform/qt_desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMessageBox>
#include <QUrl>

#include "platform/qt_font.h"
#ifdef Q_OS_WIN
#include <windows.h>

#include <atomic>
#include <thread>
#else
#include "platform/tone_player.h"
#endif

namespace kordex::app {

ReplayDialogSetup GameReplayDialog() {
    ReplayDialogSetup setup;
#ifdef Q_OS_WIN
    setup.initialFolder = QStringLiteral("D:\\Games\\World_of_Tanks\\replays");
#else
    setup.initialFolder = QDir::home().filePath(QStringLiteral("Games/World_of_Tanks/replays"));
#endif
    return setup;
}

QString ApplicationTitle() {
    return QStringLiteral("Kordex");
}

QtDesktop::QtDesktop(QWidget* owner) : owner_(owner) {}

QtDesktop::~QtDesktop() = default;

void QtDesktop::Beep(int frequency, int durationMs) {
#ifdef Q_OS_WIN
    // Windows' own tone blocks for its length: it sounds on a thread of its own, so that the
    // window never waits for it (a library scan placing a row of a broken replay would freeze
    // for each). A beep asked for while one sounds is not queued after it.
    static std::atomic<bool> sounding = false;
    if (!sounding.exchange(true))
        std::thread([frequency, durationMs] {
            ::Beep(static_cast<DWORD>(frequency), static_cast<DWORD>(durationMs));
            sounding = false;
        }).detach();
#else
    if (!tone_)
        tone_ = std::make_unique<TonePlayer>();
    // Without a sound output (a server, a plain X display) the system beep is all there is.
    if (!tone_->Play(frequency, durationMs))
        QApplication::beep();
#endif
}

void QtDesktop::ShowWindowState() {
    if (beforeBox_)
        beforeBox_();
}

void QtDesktop::ShowMessage(const std::string& text) {
    ShowWindowState();
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), QString::fromStdString(text),
                    QMessageBox::Ok, owner_);
    box.exec();
}

bool QtDesktop::Confirm(const std::string& text) {
    ShowWindowState();
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), QString::fromStdString(text),
                    QMessageBox::Ok | QMessageBox::Cancel, owner_);
    return box.exec() == QMessageBox::Ok;
}

std::optional<std::string> QtDesktop::ChooseReplayFile() {
    QFileDialog dialog(owner_);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(replayDialog_.filter);
    if (QFileInfo(replayDialog_.initialFolder).isDir())
        dialog.setDirectory(replayDialog_.initialFolder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtDesktop::ChooseFolder() {
    QString folder = QFileDialog::getExistingDirectory(
        owner_, QStringLiteral("Укажите папку с реплеями:"), QString(), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return std::nullopt;
    return folder.toStdString();
}

void QtDesktop::Open(const std::string& pathOrAddress) {
    QString text = QString::fromStdString(pathOrAddress);
    QUrl url(text, QUrl::TolerantMode);
    // Anything without a scheme of its own is a local document or folder.
    if (url.scheme().size() <= 1)
        url = QUrl::fromLocalFile(text);
    // A failure to open is not reported: the user sees that nothing opened.
    QDesktopServices::openUrl(url);
}

void QtDesktop::ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

int QtDesktop::TextWidth(const std::string& text, const FontSpec& font) {
    if (!measuredFont_ || measuredFont_->family != font.family ||
        measuredFont_->pixelHeight != font.pixelHeight || measuredFont_->bold != font.bold) {
        metrics_.emplace(ToQFont(font));
        measuredFont_ = font;
        measuredWidths_.clear();
    }
    if (const auto known = measuredWidths_.find(text); known != measuredWidths_.end())
        return known->second;
    const int width = metrics_->horizontalAdvance(QString::fromStdString(text));
    // A few megabytes at most: once full, the texts seen first (the ones that come again and
    // again) stay, and the rest are measured each time.
    constexpr std::size_t kMostKept = 50000;
    if (measuredWidths_.size() < kMostKept)
        measuredWidths_.emplace(text, width);
    return width;
}

}  // namespace kordex::app
