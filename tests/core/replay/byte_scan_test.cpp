#include "replay/byte_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace kordex::byte_scan {
namespace {

// Texts of every length up to a few words, with the bytes of interest at every position and
// the bytes around them that trip up word-at-a-time tricks (0x00, 0x1F, 0x20, 0x7F, 0x80, 0xFF
// and the neighbours of the searched bytes).
std::vector<std::string> Texts() {
    const std::string alphabet(
        "\x00\x1f\x20\x21\x22\x23\x5b\x5c\x5d\x7a\x7b\x7c\x7d\x7e\x7f\x80\xa2\xfb\xff"
        "ab",
        21);
    std::mt19937 random(7);
    std::vector<std::string> texts;
    for (int length = 0; length <= 40; ++length)
        for (int round = 0; round < 40; ++round) {
            std::string text;
            for (int i = 0; i < length; ++i)
                text += alphabet[random() % alphabet.size()];
            texts.push_back(text);
        }
    return texts;
}

TEST(ByteScan, FindAnyOfAgreesWithAPlainSearch) {
    for (const std::string& text : Texts())
        for (std::size_t from = 0; from <= text.size(); ++from) {
            std::size_t expected = text.find_first_of("{}\"", from);
            if (expected == std::string::npos)
                expected = text.size();
            EXPECT_EQ(FindAnyOf(text, from, '{', '}', '"'), expected);
        }
}

TEST(ByteScan, FindWordAgreesWithAPlainSearch) {
    // Words of one letter to longer than a compare, planted at every place of the texts (and
    // half planted, so that only the first or the last letter stands).
    const std::string words[] = {"a",
                                 "ab",
                                 "ba",
                                 std::string("a\x00b", 3),
                                 "}\x22{",
                                 "abab",
                                 "arenaUniqueID",
                                 "clientVersionFromExeaaaa"};
    for (const std::string& word : words)
        for (const std::string& base : Texts()) {
            if (base.size() % 4 != 0)
                continue;
            for (const std::string& text :
                 {base, base + word, word + base,
                  base.substr(0, base.size() / 2) + word + base.substr(base.size() / 2),
                  base + word.substr(0, word.size() - 1), word.substr(1) + base})
                for (std::size_t from = 0; from <= text.size() + 1; ++from)
                    ASSERT_EQ(FindWord(text, from, word), text.find(word, from))
                        << testing::PrintToString(text) << " " << from;
        }
    EXPECT_EQ(FindWord("abc", 1, ""), 1u);
}

TEST(ByteScan, FindStringEscapeAgreesWithAPlainSearch) {
    for (const std::string& text : Texts())
        for (bool high : {false, true})
            for (std::size_t from = 0; from <= text.size(); ++from) {
                std::size_t expected = from;
                while (expected < text.size()) {
                    const auto c = static_cast<unsigned char>(text[expected]);
                    if (c < 0x20 || c == '"' || c == '\\' || (high && c >= 0x80))
                        break;
                    ++expected;
                }
                EXPECT_EQ(FindStringEscape(text, from, high), expected);
            }
}

TEST(ByteScan, EveryChunkMarkerMarksEachByteOfInterest) {
    std::mt19937 random(11);
    const std::string alphabet = "\"\\{}[]a\x80\xff\x00";
    for (int round = 0; round < 200; ++round) {
        std::string chunk(64, ' ');
        for (char& c : chunk)
            c = alphabet[random() % alphabet.size()];
        for (const auto& [opener, closer] : {std::pair{'{', '}'}, std::pair{'[', ']'}}) {
            const ChunkMarks expected = MarkChunkPlain(chunk.data(), opener, closer);
            std::vector<ChunkMarks> marked = {MarkChunk(chunk.data(), opener, closer)};
#if KORDEX_WIDE_SCAN
            if (HasWideScan())
                marked.push_back(MarkChunkWide(chunk.data(), opener, closer));
#endif
            for (const ChunkMarks& marks : marked) {
                EXPECT_EQ(marks.quotes, expected.quotes);
                EXPECT_EQ(marks.backslashes, expected.backslashes);
                EXPECT_EQ(marks.openers, expected.openers);
                EXPECT_EQ(marks.closers, expected.closers);
            }
        }
    }
}

TEST(ByteScan, SurveyTellsAsciiNulAndManyOpeners) {
    for (const std::string& text : Texts()) {
        std::size_t openers = 0;
        bool ascii = true;
        bool nul = false;
        for (char c : text) {
            openers += c == '{' || c == '[';
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
            nul = nul || c == '\0';
        }
        for (std::size_t bound : {0u, 1u, 3u, 100u}) {
            const TextSurvey survey = Survey(text, bound);
            EXPECT_EQ(survey.ascii, ascii);
            EXPECT_EQ(survey.nul, nul);
            EXPECT_EQ(survey.manyOpeners, openers > bound);
        }
    }
}

}  // namespace
}  // namespace kordex::byte_scan
