#include "shell/drop_rule.h"

#include <algorithm>

#include "replay/letter_case.h"

namespace kordex {

namespace {

std::string_view FileName(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The text as the list box compares it: letter case aside, and ё as е, as Russian sorting
// has it (by code point ё would come after я).
std::string SortKey(std::string_view text) {
    std::string key = FoldLetterCase(text);
    for (auto at = key.find("ё"); at != std::string::npos; at = key.find("ё", at))
        key.replace(at, std::string_view("ё").size(), "е");
    return key;
}

}  // namespace

bool IsAcceptedDrop(const DroppedItem& item) {
    if (item.isFolder)
        return false;
    const auto name = FileName(item.path);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || name.substr(dot) != ".wotreplay")
        return false;
    // Only the replay being recorded is skipped: "temp" inside other names (attempt1, a user
    // folder like Artemp) is an ordinary replay.
    return name != kRecordingReplayName;
}

bool ListBoxLess(std::string_view a, std::string_view b) {
    const auto foldedA = SortKey(a);
    const auto foldedB = SortKey(b);
    if (foldedA != foldedB)
        return foldedA < foldedB;
    return a < b;
}

void SortLikeListBox(std::vector<std::string>& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const std::string& a, const std::string& b) { return ListBoxLess(a, b); });
}

DropOutcome DecideDrop(const std::vector<DroppedItem>& items) {
    DropOutcome outcome;
    for (const auto& item : items)
        if (IsAcceptedDrop(item))
            outcome.replaysList.push_back(item.path);
    SortLikeListBox(outcome.replaysList);
    if (outcome.replaysList.size() == 1) {
        outcome.target = DropTarget::SingleView;
        outcome.replayPath = outcome.replaysList.front();
    }
    return outcome;
}

}  // namespace kordex
