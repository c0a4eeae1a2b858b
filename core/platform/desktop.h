#pragma once

#include <optional>
#include <string>

#include "platform/font_spec.h"

namespace kordex {

// What the logic asks of the desktop: sounds, boxes, choosers, hand-off to other programs.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // A tone of the given frequency (Hz) and duration (ms); the system beep where no tone plays.
    virtual void Beep(int frequency, int durationMs) = 0;
    // A modal message box with OK.
    virtual void ShowMessage(const std::string& text) = 0;
    // A modal box with OK and Cancel; true for OK.
    virtual bool Confirm(const std::string& text) = 0;
    // The open dialog for one existing replay file; nothing when cancelled.
    virtual std::optional<std::string> ChooseReplayFile() = 0;
    // The folder chooser; nothing when cancelled.
    virtual std::optional<std::string> ChooseFolder() = 0;
    // Opens a document, folder or web address with its associated program. A failure to open
    // is not reported: the user sees that nothing opened.
    virtual void Open(const std::string& pathOrAddress) = 0;
    // Lets the window repaint and react during a long operation.
    virtual void ProcessPendingEvents() = 0;
    // The width in pixels of a text drawn in the font.
    virtual int TextWidth(const std::string& text, const FontSpec& font) = 0;
};

}  // namespace kordex
