#pragma once

#include <string>

#include "single/single_analysis.h"

namespace kordex {

// The status bar line after an analysis: what went wrong, in a few words, so that a beep
// or a box is never the user's only clue; empty for a battle shown whole. The line stays
// until the next analysis starts.
std::string SingleEndStatusLine(SingleEnd end);

}  // namespace kordex
