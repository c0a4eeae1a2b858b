#include "replay/battle_vocabulary.h"

#include <iterator>

#include "platform/kordex_error.h"
#include "text/number_format.h"

namespace kordex {

namespace {

struct BattleTypeWords {
    const char* longForm;
    const char* shortForm;
};

// Battle types 1 to 10.
constexpr BattleTypeWords kBattleTypes[] = {
    {"случайный", "Случ."}, {"тренировка", "Трен."},
    {"ротный", "Рота"},     {"турнир", "Турн."},
    {"ГК", "ГК"},           {"боев.обучение", "Боев.О."},
    {"командный", "Ком."},  {"исторический", "Ист."},
    {"спорт", "Спорт"},     {"укрепрайон", "Укреп."},
};

struct ModeWords {
    std::string_view gameplayID;
    const char* singleSuffix;
    const char* libraryWord;
};

constexpr ModeWords kModes[] = {
    {"ctf", ", обычный", ""},
    {"domination", ", встречный", "Встреч."},
    {"assault", ", штурм", "Штурм"},
    {"nations", ", противостояние", "Против."},
    {"assault2", ", превосходство", "assault2"},
};

// Mastery marks 0 to 4: none, third, second and first class, and the master's mark.
constexpr const char* kMasteryMarks[] = {"", "3", "2", "1", "M"};

int WholeNumber(std::string_view text) {
    auto number = ParseWholeNumber(text);
    if (!number)
        throw KordexError("\"" + std::string(text) + "\" — не целое число");
    return *number;
}

const ModeWords* FindMode(std::string_view gameplayID) {
    for (const ModeWords& mode : kModes)
        if (mode.gameplayID == gameplayID)
            return &mode;
    return nullptr;
}

std::string BattleTypeWord(std::string_view battleType, bool longForm) {
    int number = WholeNumber(battleType);
    if (number < 1 || number > static_cast<int>(std::size(kBattleTypes)))
        return std::string(battleType);
    const BattleTypeWords& words = kBattleTypes[number - 1];
    return longForm ? words.longForm : words.shortForm;
}

}  // namespace

std::string BattleTypeLong(std::string_view battleType) {
    return BattleTypeWord(battleType, true);
}

std::string BattleTypeShort(std::string_view battleType) {
    return BattleTypeWord(battleType, false);
}

std::string ModeSuffixSingle(std::string_view gameplayID) {
    const ModeWords* mode = FindMode(gameplayID);
    return mode ? mode->singleSuffix : "";
}

bool IsModeKnownSingle(std::string_view gameplayID) {
    return FindMode(gameplayID) != nullptr;
}

std::string ModeWordLibrary(std::string_view gameplayID) {
    const ModeWords* mode = FindMode(gameplayID);
    return mode ? mode->libraryWord : std::string(gameplayID);
}

std::string BattleOutcome(std::string_view winnerTeam, std::string_view recorderTeam) {
    if (winnerTeam == "0")
        return "Ничья";
    if (winnerTeam == recorderTeam)
        return "Победа";
    return "Поражение";
}

std::string MasteryMarkText(std::string_view markOfMastery) {
    int number = WholeNumber(markOfMastery);
    if (number < 0 || number >= static_cast<int>(std::size(kMasteryMarks)))
        return std::string(markOfMastery);
    return kMasteryMarks[number];
}

}  // namespace kordex
