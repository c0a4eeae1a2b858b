#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace kordex {

// A desktop without a screen: it records what the user would have heard or seen, in order
// ("beep 400 200", "message <text>", "confirm <text>", "dialog", "open <address>"), answers
// every chooser as cancelled, and measures text at a fixed width per character.
class HeadlessDesktop : public Desktop {
  public:
    void Beep(int frequency, int durationMs) override;
    void ShowMessage(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    std::optional<std::string> ChooseReplayFile() override;
    std::optional<std::string> ChooseFolder() override;
    void Open(const std::string& pathOrAddress) override;
    void ProcessPendingEvents() override;
    int TextWidth(const std::string& text, const FontSpec& font) override;

    // The default error handling's report, so that it stands in the same list.
    void RecordError(const std::string& description);

    const std::vector<std::string>& Events() const { return events_; }
    int PendingEventCalls() const { return pendingEventCalls_; }

    // Answers for the next confirmations and choosers (tests); when none is queued a
    // confirmation is declined and a chooser cancelled.
    std::deque<bool> confirmAnswers;
    std::deque<std::string> chosenFiles;
    std::deque<std::string> chosenFolders;

    static constexpr int kCharacterWidth = 7;

  private:
    std::vector<std::string> events_;
    int pendingEventCalls_ = 0;
};

}  // namespace kordex
