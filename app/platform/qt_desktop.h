#pragma once

#include <QFontMetrics>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/desktop.h"

namespace kordex::app {

class TonePlayer;

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
    explicit QtDesktop(QWidget* owner = nullptr);
    ~QtDesktop() override;

    void SetOwner(QWidget* owner) { owner_ = owner; }
    // What the window does before a box opens: show its tables and labels as they now stand,
    // so that the box never stands over a battle the handler has already emptied.
    void SetBeforeBox(std::function<void()> showState) { beforeBox_ = std::move(showState); }
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
    void ShowWindowState();

    QPointer<QWidget> owner_;
    std::function<void()> beforeBox_;
#ifndef Q_OS_WIN
    // Made at the first beep: the audio system is not touched before a sound is needed.
    std::unique_ptr<TonePlayer> tone_;
#endif
    ReplayDialogSetup replayDialog_;
    // A scan measures every cell it fills, nearly always in one font: its metrics are kept,
    // and the width of each text already measured in it (a library's cells repeat the same
    // players, maps, vehicles and numbers, and shaping a text costs a microsecond).
    std::optional<FontSpec> measuredFont_;
    std::optional<QFontMetrics> metrics_;
    std::unordered_map<std::string, int> measuredWidths_;
};

// The caption of every box the program shows.
QString ApplicationTitle();

}  // namespace kordex::app
