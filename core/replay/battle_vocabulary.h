#pragma once

#include <string>
#include <string_view>

namespace kordex {

// The Russian words for the codes of a replay. A number text that is not a whole number
// throws KordexError (the application's default error handling).
std::string BattleTypeLong(std::string_view battleType);
std::string BattleTypeShort(std::string_view battleType);
std::string ModeSuffixSingle(std::string_view gameplayID);
// True when the single view knows the mode; otherwise its map label stays empty.
bool IsModeKnownSingle(std::string_view gameplayID);
std::string ModeWordLibrary(std::string_view gameplayID);
std::string BattleOutcome(std::string_view winnerTeam, std::string_view recorderTeam);
std::string MasteryMarkText(std::string_view markOfMastery);

}  // namespace kordex
