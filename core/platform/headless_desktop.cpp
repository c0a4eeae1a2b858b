#include "platform/headless_desktop.h"

namespace kordex {

void HeadlessDesktop::Beep(int frequency, int durationMs) {
    events_.push_back("beep " + std::to_string(frequency) + " " + std::to_string(durationMs));
}

void HeadlessDesktop::ShowMessage(const std::string& text) {
    events_.push_back("message " + text);
}

bool HeadlessDesktop::Confirm(const std::string& text) {
    events_.push_back("confirm " + text);
    if (confirmAnswers.empty())
        return false;
    bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

std::optional<std::string> HeadlessDesktop::ChooseReplayFile() {
    events_.push_back("dialog");
    if (chosenFiles.empty())
        return std::nullopt;
    std::string file = chosenFiles.front();
    chosenFiles.pop_front();
    return file;
}

std::optional<std::string> HeadlessDesktop::ChooseFolder() {
    events_.push_back("dialog");
    if (chosenFolders.empty())
        return std::nullopt;
    std::string folder = chosenFolders.front();
    chosenFolders.pop_front();
    return folder;
}

void HeadlessDesktop::Open(const std::string& pathOrAddress) {
    events_.push_back("open " + pathOrAddress);
}

void HeadlessDesktop::ProcessPendingEvents() {
    ++pendingEventCalls_;
}

int HeadlessDesktop::TextWidth(const std::string& text, const FontSpec&) {
    int characters = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    return characters * kCharacterWidth;
}

void HeadlessDesktop::RecordError(const std::string& description) {
    events_.push_back("error " + description);
}

}  // namespace kordex
