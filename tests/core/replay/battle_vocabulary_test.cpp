#include "replay/battle_vocabulary.h"

#include <gtest/gtest.h>

#include "platform/kordex_error.h"

namespace kordex {
namespace {

TEST(BattleType, LongAndShortWordsByNumber) {
    struct Case {
        const char* number;
        const char* longForm;
        const char* shortForm;
    };
    const Case cases[] = {
        {"1", "случайный", "Случ."},
        {"2", "тренировка", "Трен."},
        {"3", "ротный", "Рота"},
        {"4", "турнир", "Турн."},
        {"5", "ГК", "ГК"},
        {"6", "боев.обучение", "Боев.О."},
        {"7", "командный", "Ком."},
        {"8", "исторический", "Ист."},
        {"9", "спорт", "Спорт"},
        {"10", "укрепрайон", "Укреп."},
        // Outside the table the number's text stands unchanged.
        {"0", "0", "0"},
        {"-3", "-3", "-3"},
        {"11", "11", "11"},
        {"2147483647", "2147483647", "2147483647"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BattleTypeLong(c.number), c.longForm) << c.number;
        EXPECT_EQ(BattleTypeShort(c.number), c.shortForm) << c.number;
    }
}

TEST(BattleType, TextThatIsNoWholeNumberGoesToTheDefaultErrorHandling) {
    for (const char* text : {"", "abc", "1.5", "6 ", "99999999999"}) {
        EXPECT_THROW(BattleTypeLong(text), KordexError) << text;
        EXPECT_THROW(BattleTypeShort(text), KordexError) << text;
    }
    try {
        BattleTypeLong("x7");
        FAIL() << "no error";
    } catch (const KordexError& error) {
        EXPECT_NE(std::string(error.what()).find("x7"), std::string::npos);
    }
}

TEST(BattleMode, SingleSuffixAndLibraryWordByGameplayId) {
    struct Case {
        const char* gameplayID;
        bool knownSingle;
        const char* singleSuffix;
        const char* libraryWord;
    };
    const Case cases[] = {
        {"ctf", true, ", обычный", ""},
        {"domination", true, ", встречный", "Встреч."},
        {"assault", true, ", штурм", "Штурм"},
        {"nations", true, ", противостояние", "Против."},
        {"assault2", true, ", превосходство", "assault2"},
        // Unknown keys, compared with letter case.
        {"CTF", false, "", "CTF"},
        {"fallout", false, "", "fallout"},
        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsModeKnownSingle(c.gameplayID), c.knownSingle) << c.gameplayID;
        EXPECT_EQ(ModeSuffixSingle(c.gameplayID), c.singleSuffix) << c.gameplayID;
        EXPECT_EQ(ModeWordLibrary(c.gameplayID), c.libraryWord) << c.gameplayID;
    }
}

TEST(BattleOutcome, DrawFirstThenWinnerAgainstRecorderTeam) {
    struct Case {
        const char* winnerTeam;
        const char* recorderTeam;
        const char* outcome;
    };
    const Case cases[] = {
        {"0", "1", "Ничья"},      {"0", "0", "Ничья"},     {"2", "2", "Победа"},
        {"1", "1", "Победа"},     {"1", "2", "Поражение"}, {"-1", "1", "Поражение"},
        {"01", "1", "Поражение"},  // compared as texts
    };
    for (const Case& c : cases)
        EXPECT_EQ(BattleOutcome(c.winnerTeam, c.recorderTeam), c.outcome)
            << c.winnerTeam << " / " << c.recorderTeam;
}

TEST(MasteryMark, ClassDigitsAndMasterLetter) {
    struct Case {
        const char* mark;
        const char* text;
    };
    const Case cases[] = {{"0", ""},  {"1", "3"}, {"2", "2"},  {"3", "1"},
                          {"4", "M"}, {"5", "5"}, {"-1", "-1"}};
    for (const Case& c : cases)
        EXPECT_EQ(MasteryMarkText(c.mark), c.text) << c.mark;
    EXPECT_THROW(MasteryMarkText("null"), KordexError);
}

}  // namespace
}  // namespace kordex
