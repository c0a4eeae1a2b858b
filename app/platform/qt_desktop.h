#pragma once

#include <QFontMetrics>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

#include "platform/desktop.h"

namespace kordex::app {

// The open dialog's set-up, made once at start-up; every showing starts from it.
struct ReplayDialogSetup {
    QString filter = QStringLiteral("World of Tanks replays (*.wotreplay)");
    QString initialFolder;
};

// The dialog as the start-up sequence sets it: existing replay files only, starting in the
// game's replay folder where it usually is.
ReplayDialogSetup GameReplayDialog();

// The desktop of a running window: Qt message boxes and choosers parented to the window,
// the desktop services for hand-off, the window's font metrics for widths.
class QtDesktop : public Desktop {
  public:
    explicit QtDesktop(QWidget* owner = nullptr) : owner_(owner) {}

    void SetOwner(QWidget* owner) { owner_ = owner; }
    void SetReplayDialog(ReplayDialogSetup setup) { replayDialog_ = std::move(setup); }
    const ReplayDialogSetup& ReplayDialog() const { return replayDialog_; }

    void Beep(int frequency, int durationMs) override;
    void ShowMessage(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    std::optional<std::string> ChooseReplayFile() override;
    std::optional<std::string> ChooseFolder() override;
    void Open(const std::string& pathOrAddress) override;
    void ProcessPendingEvents() override;
    int TextWidth(const std::string& text, const FontSpec& font) override;

  private:
    QPointer<QWidget> owner_;
    ReplayDialogSetup replayDialog_;
    // A scan measures every cell it fills, nearly always in one font: its metrics are kept.
    std::optional<FontSpec> measuredFont_;
    std::optional<QFontMetrics> metrics_;
};

// The caption of every box the program shows.
QString ApplicationTitle();

}  // namespace kordex::app
