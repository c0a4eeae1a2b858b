#pragma once

#include <string>
#include <vector>

namespace kordex {

// The replay files of a folder (not its subfolders): every file whose name ends in
// ".wotreplay" in any letter case, hidden files included, except the game's own
// "temp.wotreplay" (exactly that name). Paths are folder + name; folder ends in "/".
// The list is sorted by path without regard to letter case; a missing folder gives none.
std::vector<std::string> FindReplayFiles(const std::string& folder);

// True when a sorts before b without regard to letter case (Latin and Cyrillic).
bool PathLessIgnoringCase(const std::string& a, const std::string& b);

// The folder text with a final "/" added when it has none.
std::string WithFinalSeparator(std::string folder);

}  // namespace kordex
