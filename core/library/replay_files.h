#pragma once

#include <string>
#include <vector>

namespace kordex {

// The replay files of a folder (not its subfolders): every file whose name ends in
// ".wotreplay" in any letter case, hidden files included, except the game's own
// "temp.wotreplay" (exactly that name). Paths are folder + name; folder ends in "/".
// The list is in the order of a sorted list box (ListBoxLess); a missing folder gives none.
std::vector<std::string> FindReplayFiles(const std::string& folder);

// The folder text with a final "/" added when it has none.
std::string WithFinalSeparator(std::string folder);

}  // namespace kordex
