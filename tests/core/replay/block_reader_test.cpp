#include "replay/block_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/kordex_error.h"
#include "support/file_bytes.h"
#include "support/plain_cut.h"
#include "support/plain_replay_blocks.h"
#include "support/replay_fixture.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

using test::FinishedBattle;
using test::ReplayFixture;
using test::WriteReplayFile;

constexpr ReadingVariant kBothVariants[] = {ReadingVariant::Single, ReadingVariant::List};

const char* VariantName(ReadingVariant variant) {
    return variant == ReadingVariant::Single ? "single" : "list";
}

class ReadReplayBlocksTest : public ::testing::Test {
  protected:
    ReplayBlocks Read(const ReplayFixture& fixture, ReadingVariant variant) {
        const std::string path = folder_.File("battle.wotreplay");
        WriteReplayFile(path, fixture);
        auto blocks = ReadReplayBlocks(path, variant);
        EXPECT_TRUE(blocks.has_value());
        return blocks.value_or(ReplayBlocks{});
    }

    // Every variant cuts exactly the fixture's four objects, less any carriage return.
    void ExpectExactBlocks(const ReplayFixture& fixture) {
        auto withoutReturns = [](std::string text) {
            std::erase(text, '\r');
            return text;
        };
        for (ReadingVariant variant : kBothVariants) {
            SCOPED_TRACE(VariantName(variant));
            const ReplayBlocks blocks = Read(fixture, variant);
            EXPECT_EQ(blocks.HeaderBlock, withoutReturns(fixture.header));
            EXPECT_EQ(blocks.ResultsBlock, withoutReturns(fixture.results));
            EXPECT_EQ(blocks.VehiclesBlock, withoutReturns(fixture.vehicles));
            EXPECT_EQ(blocks.FragsBlock, withoutReturns(fixture.frags));
            EXPECT_TRUE(IsBattleComplete(blocks));
        }
    }

    test::TempFolder folder_;
};

TEST_F(ReadReplayBlocksTest, CutsTheFourObjectsOfAFinishedBattle) {
    ExpectExactBlocks(FinishedBattle());
}

TEST_F(ReadReplayBlocksTest, BracesAndQuotesInsideNamesDoNotEndABlock) {
    ReplayFixture fixture = FinishedBattle(test::SampleHeaderJson());
    fixture.header.insert(1, R"("motto": "}}{ \"}\" {\\", )");
    fixture.vehicles =
        R"({"1": {"vehicleType": "a:b", "name": "}Tank{", "clanAbbrev": "{}}", "team": 1}})";
    fixture.frags = R"({"1": {"frags": 1, "note": "\\\"}"}})";
    ExpectExactBlocks(fixture);
}

// The bytes before the header and between the header and the results (the binary start and
// the results' length field) hold anything; a finished battle stays finished.
TEST_F(ReadReplayBlocksTest, BinaryBytesAroundTheBlocksAreHarmless) {
    const struct {
        const char* name;
        std::optional<std::string> binaryStart;
        std::optional<std::string> resultsLength;
    } cases[] = {
        {"byte 26 in the binary start and the length fields",
         test::BinaryStart(2, 26) + std::string("\x1a\0\x1a", 3), std::string("\x1a\x1a\0\0", 4)},
        {"lone carriage returns and zero bytes", std::string("\x12\x32\r\x11\0\0\0\r", 8),
         std::string("\r\r\0\0", 4)},
        {"header on the second line, found by both variants",
         std::string("\x12\x32\n\x11\x02\0\0\0\xf7\x1c\0\0", 12), std::nullopt},
        {"carriage return line feed ends a line",
         std::string("\x12\x32\x34\r\n\x02\0\0\0\xf7\x1c\0\0", 13), std::nullopt},
        // Each later key word gets one more line; the results are cut from the next line.
        {"a line feed between the header and the results", std::nullopt,
         std::string("\x0a\xdb\0\0", 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReplayFixture fixture = FinishedBattle();
        fixture.binaryStart = c.binaryStart;
        fixture.resultsLength = c.resultsLength;
        ExpectExactBlocks(fixture);
    }
}

TEST_F(ReadReplayBlocksTest, TextAfterABlockContinuesRightAfterItsLastBrace) {
    // The header ends in an object that would fit in the twelve binary bytes in front of it;
    // counting the cut from the start of the line would leave it to be taken as the results.
    ReplayFixture fixture = FinishedBattle();
    fixture.header.pop_back();
    fixture.header += R"(, "arenaUniqueID": 7, "z": {"y": 0}})";
    ExpectExactBlocks(fixture);
}

TEST_F(ReadReplayBlocksTest, HeaderOnTheThirdLineIsFoundByTheListVariantOnly) {
    ReplayFixture fixture = FinishedBattle();
    fixture.binaryStart = std::string("\x12\n\x34\x11\x02\n\0\0\xf7\x1c\0\0", 12);

    const ReplayBlocks list = Read(fixture, ReadingVariant::List);
    EXPECT_EQ(list.HeaderBlock, fixture.header);
    EXPECT_EQ(list.FragsBlock, fixture.frags);

    // The single variant cuts its header from the second line, which holds no object.
    const ReplayBlocks single = Read(fixture, ReadingVariant::Single);
    EXPECT_EQ(single.HeaderBlock, "\x34");
}

TEST_F(ReadReplayBlocksTest, BattleLeftEarlyHasAHeaderButNoResults) {
    ReplayFixture fixture;
    fixture.header = test::SampleHeaderJson();
    for (ReadingVariant variant : kBothVariants) {
        SCOPED_TRACE(VariantName(variant));
        const ReplayBlocks blocks = Read(fixture, variant);
        EXPECT_EQ(blocks.HeaderBlock, fixture.header);
        EXPECT_FALSE(IsBattleComplete(blocks));
    }
}

TEST_F(ReadReplayBlocksTest, BlocksLongerThanAReadChunkAreCutWhole) {
    ReplayFixture fixture = FinishedBattle();
    fixture.header.insert(1, "\"padding\": \"" + std::string(200000, 'p') + "\", ");
    fixture.vehicles.insert(1, "\"0\": {\"name\": \"" + std::string(70000, '{') + "\"}, ");
    ExpectExactBlocks(fixture);
}

TEST_F(ReadReplayBlocksTest, KeyWordsAndLineEndsAcrossReadChunkBoundaries) {
    // Shifts the header across the 64 KiB boundary so that the key word, a block start and a
    // CR LF pair each fall on it in some run.
    for (std::size_t shift = 0; shift < 40; ++shift) {
        SCOPED_TRACE(shift);
        ReplayFixture fixture = FinishedBattle();
        fixture.binaryStart = std::string(65536 - 30 + shift, 'x') + "\r\n" + "\x12\x32";
        ExpectExactBlocks(fixture);
    }
}

TEST_F(ReadReplayBlocksTest, ReadsSizedByALyingBlockTableCutTheSameBlocks) {
    // The reads are sized by the table at the file's start; whatever it says, the text read
    // and the blocks cut are the same. No length below holds a line feed or carriage return;
    // the last case has carriage returns inside the blocks, on both sides of where the reads
    // split its long header, which the bytes after them move back over.
    struct Case {
        const char* name;
        std::optional<std::string> binaryStart;
        std::optional<std::string> resultsLength;
        std::size_t headerPadding = 0;
        bool returnsInside = false;
    };
    const std::string header = test::SampleHeaderJson();
    const Case cases[] = {
        {"a true table", std::nullopt, std::nullopt},
        {"results ending in the first read", std::nullopt, test::LengthField(1)},
        {"results ending just past the first read", std::nullopt, test::LengthField(33000)},
        {"results ending past a whole chunk", std::nullopt, test::LengthField(70000)},
        {"results beyond the read window", std::nullopt, test::LengthField(0x7fffffff)},
        {"a header length inside the header", test::BinaryStart(2, 5), std::nullopt},
        {"more blocks than a replay has", test::BinaryStart(200, header.size()), std::nullopt},
        {"no magic number", "\x01\x02\x03\x04" + test::BinaryStart(2, header.size()).substr(4),
         std::nullopt},
        {"a header longer than the first read", std::nullopt, std::nullopt, 40000},
        {"carriage returns inside the blocks", std::nullopt, std::nullopt, 40000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReplayFixture fixture = FinishedBattle();
        std::string padding(c.headerPadding, 'p');
        if (c.returnsInside) {
            for (std::size_t i = 1; i < padding.size(); i += 7)
                padding[i] = '\r';
            fixture.results.insert(1, "\r\r");
            fixture.frags.insert(fixture.frags.size() - 1, "\r");
        }
        fixture.header.insert(1, "\r\"padding\":\r \"" + padding + "\", ");
        if (c.binaryStart)
            fixture.binaryStart = c.binaryStart;
        fixture.resultsLength = c.resultsLength;
        // Line ends around where the table says the blocks end.
        fixture.binaryRest = "\r\n" + std::string(40000, 'x') + "\n\r" + fixture.binaryRest;
        ExpectExactBlocks(fixture);
    }
}

TEST_F(ReadReplayBlocksTest, EmptyFileGivesFourEmptyBlocks) {
    const std::string path = folder_.File("empty.wotreplay");
    test::WriteBytesFile(path, "");
    for (ReadingVariant variant : kBothVariants) {
        auto blocks = ReadReplayBlocks(path, variant);
        ASSERT_TRUE(blocks.has_value());
        EXPECT_EQ(blocks->HeaderBlock, "");
        EXPECT_EQ(blocks->ResultsBlock, "");
        EXPECT_EQ(blocks->VehiclesBlock, "");
        EXPECT_EQ(blocks->FragsBlock, "");
    }
}

TEST_F(ReadReplayBlocksTest, FileThatCannotBeOpenedIsTheOpenFailure) {
    EXPECT_FALSE(ReadReplayBlocks(folder_.File("missing.wotreplay"), ReadingVariant::List));
    EXPECT_FALSE(ReadReplayBlocks(folder_.Path(), ReadingVariant::Single));
}

TEST_F(ReadReplayBlocksTest, ReadErrorAfterTheOpenIsNotAnOpenFailure) {
    // The process's own memory opens for reading but fails at offset 0.
    const std::string path = "/proc/self/mem";
    if (std::FILE* probe = std::fopen(path.c_str(), "rb"))
        std::fclose(probe);
    else
        GTEST_SKIP() << path << " cannot be opened here";
    EXPECT_THROW(ReadReplayBlocks(path, ReadingVariant::List), KordexError);
}

struct CutCase {
    const char* name;
    std::string text;
    std::string block;
};

// The reader against a plain reading of the whole file, on every real replay and on a
// finished battle with line feeds, carriage returns, braces, quotes and backslashes strewn
// through it, some with a header long enough to be read in several pieces.
TEST_F(ReadReplayBlocksTest, AgreesWithAPlainReadingOfTheWholeFile) {
    auto expectSame = [](const std::string& path, std::string_view bytes) {
        for (ReadingVariant variant : kBothVariants) {
            const auto blocks = ReadReplayBlocks(path, variant);
            ASSERT_TRUE(blocks.has_value()) << path;
            const ReplayBlocks plain = test::PlainReplayBlocks(bytes, variant);
            EXPECT_EQ(blocks->HeaderBlock, plain.HeaderBlock) << path << VariantName(variant);
            EXPECT_EQ(blocks->ResultsBlock, plain.ResultsBlock) << path << VariantName(variant);
            EXPECT_EQ(blocks->VehiclesBlock, plain.VehiclesBlock) << path << VariantName(variant);
            EXPECT_EQ(blocks->FragsBlock, plain.FragsBlock) << path << VariantName(variant);
        }
    };
    for (const std::string& path : test::SharedReplayFiles())
        expectSame(path, test::ReadFileBytes(path));

    std::mt19937 random(11);
    const std::string strewn = "\n\r{}\"\\";
    for (int round = 0; round < 300; ++round) {
        ReplayFixture fixture = FinishedBattle();
        if (round % 3 == 0)
            fixture.header.insert(
                1, "\"padding\": \"" + std::string(40000 + round * 97, 'p') + "\", ");
        std::string bytes = test::ReplayBytes(fixture);
        for (int change = 0; change < 1 + round % 4; ++change)
            bytes.insert(random() % bytes.size(), 1, strewn[random() % strewn.size()]);
        const std::string path = folder_.File("strewn.wotreplay");
        test::WriteBytesFile(path, bytes);
        expectSame(path, bytes);
    }
}

TEST(CutJsonBlock, CutsFromTheFirstBlockStartToItsClosingBrace) {
    const std::vector<CutCase> cases = {
        {"empty text", "", ""},
        {"no block start gives the first character", "abc", "a"},
        {"binary before the block", std::string("\x04\0[{\"a\": 1}, {\"b\": 2}", 19), "{\"a\": 1}"},
        {"a brace not followed by a quote is no start", "{x{\"a\": {}}}", "{\"a\": {}}"},
        {"nested objects", R"({"a": {"b": {"c": 1}}, "d": 2}tail)",
         R"({"a": {"b": {"c": 1}}, "d": 2})"},
        {"braces in strings", R"({"a": "}{}}"}rest)", R"({"a": "}{}}"})"},
        {"escaped quote in a string", R"({"a": "\"}", "b": 1})", R"({"a": "\"}", "b": 1})"},
        {"escaped backslash ends the string", R"({"a": "\\"}, "b": "}"})", R"({"a": "\\"})"},
        {"cut off by the end of the text", R"(xx{"a": {"b": 1})", R"({"a": {"b": 1})"},
    };
    for (const CutCase& c : cases)
        EXPECT_EQ(CutJsonBlock(c.text), c.block) << c.name;
}

// The walk takes 64 bytes at a time where no backslash is near and byte by byte where one
// is: nests, strings and escapes across those chunks, with and without backslashes.
TEST(CutJsonBlock, AgreesWithAPlainCutAcrossWalkChunks) {
    std::mt19937 random(11);
    for (const std::string alphabet : {"{}\"a ", "{}\"\\a", "{{}}\"\"ab  :,"}) {
        for (int round = 0; round < 400; ++round) {
            std::string text = "{\"";
            const auto length = 60 + random() % 400;
            for (std::size_t i = 0; i < length; ++i)
                text += alphabet[random() % alphabet.size()];
            text += std::string(random() % 6, '}');
            EXPECT_EQ(CutJsonBlock(text), test::PlainCut(text)) << text;
        }
    }
}

TEST(IsBattleComplete, NeedsAllThreeKeyWords) {
    const ReplayBlocks complete{"{}", R"({"personal": {"spotted": 1}})",
                                R"({"1": {"vehicleType": "a"}})", R"({"1": {"frags": 0}})"};
    EXPECT_TRUE(IsBattleComplete(complete));

    ReplayBlocks noSpotted = complete;
    noSpotted.ResultsBlock = R"({"personal": {"Spotted": 1}})";
    EXPECT_FALSE(IsBattleComplete(noSpotted));
    ReplayBlocks noVehicleType = complete;
    noVehicleType.VehiclesBlock = "\x12\x34";
    EXPECT_FALSE(IsBattleComplete(noVehicleType));
    ReplayBlocks noFrags = complete;
    noFrags.FragsBlock = "";
    EXPECT_FALSE(IsBattleComplete(noFrags));
}

}  // namespace
}  // namespace kordex
