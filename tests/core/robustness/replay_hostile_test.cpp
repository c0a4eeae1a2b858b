// Replay files that no client writes but a damaged disk, a crafted file or an old tool can
// leave: each is read from a real file through the reader, the header, every pass and the
// library row, and must end in a failure value (or a complete battle), never a crash.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "library/library_row.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "replay/battle_header.h"
#include "replay/battle_passes.h"
#include "replay/battle_tables.h"
#include "replay/block_reader.h"
#include "series/series_run.h"
#include "series/series_tables.h"
#include "single/single_analysis.h"
#include "single/team_tables.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/headless_series.h"
#include "support/headless_single.h"
#include "support/library_row_read.h"
#include "support/plain_cut.h"
#include "support/replace_all.h"
#include "support/replay_fixture.h"
#include "support/test_paths.h"
#include "tables/label_store.h"
#include "window/window_tables.h"

namespace kordex {
namespace {

namespace vf = vehicle_field;
using test::BattleFixture;
using test::BattleJsonTexts;
using test::ReplaceAll;
using test::ReplayFixture;

// How far one reading of a file got.
struct Reading {
    bool opened = false;
    bool headerOk = false;
    bool complete = false;
    PassStatus headerPass = PassStatus::Failure;
    PassStatus resultsPass = PassStatus::Failure;
    PassStatus fragsPass = PassStatus::Failure;
    PassStatus join = PassStatus::Failure;
    PassStatus finalPass = PassStatus::Failure;
    BattleTables tables;

    bool AllOk() const {
        return headerOk && complete && headerPass == PassStatus::Ok &&
               resultsPass == PassStatus::Ok && fragsPass == PassStatus::Ok &&
               join == PassStatus::Ok && finalPass == PassStatus::Ok;
    }
};

// The single view's order of steps, each run even when one before it failed, so that every
// step meets what the file holds.
Reading ReadAll(const std::string& path, ReadingVariant variant) {
    Reading reading;
    const auto blocks = ReadReplayBlocks(path, variant);
    if (!blocks)
        return reading;
    reading.opened = true;
    const HeaderParse header = ParseBattleHeader(blocks->HeaderBlock);
    reading.headerOk = header.ok;
    reading.complete = IsBattleComplete(*blocks);
    const bool single = variant == ReadingVariant::Single;
    ResetBattleTables(reading.tables);
    reading.headerPass = VehiclesPass(header.header.vehiclesText, reading.tables.vehicles).status;
    reading.resultsPass =
        ResultsPass(blocks->ResultsBlock, header.ok ? header.header.clientVersion : 9171,
                    single ? PersonalKeys::Single : PersonalKeys::Series, reading.tables)
            .status;
    reading.fragsPass = FragsPass(blocks->FragsBlock, reading.tables.vehicles).status;
    reading.join = JoinPlayers(reading.tables, single ? JoinForm::Single : JoinForm::Series).status;
    reading.finalPass = VehiclesPass(blocks->VehiclesBlock, reading.tables.vehicles).status;
    return reading;
}

LibraryRowKind LibraryRowOf(const std::string& path) {
    const test::LibraryRowRead row = test::ReadLibraryRow(path);
    EXPECT_EQ(row.cells[library_column::Path], path);
    return row.kind;
}

class ReplayHostile : public ::testing::Test {
  protected:
    std::string Write(const std::string& bytes) {
        const std::string path = folder_.File("hostile" + std::to_string(++files_) + ".wotreplay");
        test::WriteBytesFile(path, bytes);
        return path;
    }
    std::string Write(const ReplayFixture& fixture) { return Write(test::ReplayBytes(fixture)); }

    test::TempFolder folder_;
    int files_ = 0;
};

TEST_F(ReplayHostile, TruncatedAtEveryBlockBoundary) {
    const BattleFixture battle(30);
    const ReplayFixture fixture = test::ReplayOf(battle);
    const std::string bytes = test::ReplayBytes(fixture);
    const auto [header, results, vehicles, frags] = battle.Texts();
    const std::size_t headerAt = bytes.find(header);
    const std::size_t resultsAt = bytes.find(results);
    const std::size_t vehiclesAt = bytes.find(vehicles, resultsAt);
    const std::size_t fragsAt = bytes.find(frags, vehiclesAt);
    ASSERT_NE(fragsAt, std::string::npos);
    const std::size_t fragsEnd = fragsAt + frags.size();

    std::vector<std::size_t> cuts{0, 1, 4, 8, 11, 12};
    for (std::size_t boundary : {headerAt, headerAt + header.size(), resultsAt - 5, resultsAt - 1,
                                 resultsAt, resultsAt + results.size(), vehiclesAt,
                                 vehiclesAt + vehicles.size(), fragsAt, fragsEnd, bytes.size()})
        for (std::size_t cut : {boundary - 1, boundary, boundary + 1})
            if (cut <= bytes.size())
                cuts.push_back(cut);

    for (std::size_t cut : cuts) {
        const std::string path = Write(bytes.substr(0, cut));
        for (ReadingVariant variant : {ReadingVariant::Single, ReadingVariant::List}) {
            const Reading reading = ReadAll(path, variant);
            ASSERT_TRUE(reading.opened) << cut;
            EXPECT_EQ(reading.headerOk, cut >= headerAt + header.size()) << cut;
            // The whole battle reads only once its last block is whole.
            EXPECT_EQ(reading.AllOk(), cut >= fragsEnd) << cut;
        }
        const LibraryRowKind kind = LibraryRowOf(path);
        if (cut < resultsAt + results.size()) {
            EXPECT_EQ(kind, LibraryRowKind::Error) << cut;
        } else if (cut >= fragsEnd) {
            EXPECT_EQ(kind, LibraryRowKind::Normal) << cut;
        }
    }
}

TEST_F(ReplayHostile, ThirtyOneVehiclesFailTheirPassesAfterThirtyRows) {
    const BattleFixture battle(31);
    const std::string path = Write(test::ReplayOf(battle));
    for (ReadingVariant variant : {ReadingVariant::Single, ReadingVariant::List}) {
        const Reading reading = ReadAll(path, variant);
        EXPECT_TRUE(reading.headerOk);
        EXPECT_EQ(reading.headerPass, PassStatus::Failure);
        EXPECT_EQ(reading.resultsPass, PassStatus::Failure);
        EXPECT_EQ(reading.fragsPass, PassStatus::Failure);
        EXPECT_EQ(reading.finalPass, PassStatus::Failure);
        EXPECT_EQ(reading.tables.vehicles[29][vf::Name], battle.Vehicle(29).name);
    }
    // The library reads the recorder's own results only.
    EXPECT_EQ(LibraryRowOf(path), LibraryRowKind::Normal);
}

TEST_F(ReplayHostile, SixteenOnOneSideReadWholeShownAsFifteenMarkedInASeries) {
    BattleFixture battle(30);
    battle.Vehicle(15).team = 1;  // 16 against 14
    const std::string path = Write(test::ReplayOf(battle));
    for (ReadingVariant variant : {ReadingVariant::Single, ReadingVariant::List}) {
        const Reading reading = ReadAll(path, variant);
        ASSERT_TRUE(reading.AllOk());
        int teamOne = 0;
        for (const auto& row : reading.tables.vehicles)
            teamOne += row[vf::Team] == "1";
        EXPECT_EQ(teamOne, 16);
    }
    EXPECT_EQ(LibraryRowOf(path), LibraryRowKind::Normal);

    // The single view has 15 rows a side: it shows the first 15 of the recorder's team.
    test::HeadlessSingle single;
    ASSERT_EQ(single.Analyse(path), SingleEnd::Completed);
    EXPECT_EQ(single.tables.AlliesGrid.RowCount(), kTeamRows);
    EXPECT_FALSE(single.tables.AlliesGrid.Cell(team_column::Name, kTeamRows - 1).empty());

    // The series keeps 15 allies a battle: the battle is marked and the run goes on.
    BattleFixture next(30);
    const std::string nextPath = Write(test::ReplayOf(next));
    test::HeadlessSeries series;
    series.options.moveUnusable = false;
    const SeriesRunResult result = series.Run({path, nextPath});
    ASSERT_EQ(result.replays.size(), 2u);
    EXPECT_EQ(result.replays[0].word, "Сбой");
    EXPECT_EQ(result.replays[1].kind, ReplayClass::Complete);
}

TEST_F(ReplayHostile, FiftyMegabyteFirstLineWithoutALineFeed) {
    std::string tail(50u << 20, '\x7f');
    for (std::size_t i = 0; i < tail.size(); i += 4099)
        tail[i] = '\x1a';  // no line feed anywhere, some bytes 26 and braces
    for (std::size_t i = 7; i < tail.size(); i += 65537)
        tail[i] = '{';

    // A finished battle: the blocks are at the start and the rest of the line is never needed.
    ReplayFixture finished = test::ReplayOf(BattleFixture(30));
    finished.binaryRest = tail;
    const std::string finishedPath = Write(finished);
    const auto start = std::chrono::steady_clock::now();
    const Reading reading = ReadAll(finishedPath, ReadingVariant::List);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(reading.AllOk());
    EXPECT_LT(elapsed, std::chrono::seconds(2));
    EXPECT_EQ(LibraryRowOf(finishedPath), LibraryRowKind::Normal);

    // A battle left early: the key words are searched through the whole line, and not found.
    ReplayFixture early;
    early.header = test::SampleHeaderJson();
    early.binaryRest = tail;
    const std::string earlyPath = Write(early);
    for (ReadingVariant variant : {ReadingVariant::Single, ReadingVariant::List}) {
        const Reading left = ReadAll(earlyPath, variant);
        EXPECT_TRUE(left.headerOk);
        EXPECT_FALSE(left.complete);
    }
    EXPECT_EQ(LibraryRowOf(earlyPath), LibraryRowKind::Error);

    // Only the tail: no header anywhere.
    const std::string onlyTail = Write(tail);
    EXPECT_FALSE(ReadAll(onlyTail, ReadingVariant::Single).headerOk);
    EXPECT_EQ(LibraryRowOf(onlyTail), LibraryRowKind::Error);
}

// Text replaced in every JSON text of the battle.
BattleJsonTexts Replaced(BattleJsonTexts texts, const std::string& from, const std::string& to) {
    for (std::string* text : {&texts.header, &texts.results, &texts.vehicles, &texts.frags})
        *text = ReplaceAll(*text, from, to);
    return texts;
}

TEST_F(ReplayHostile, NamesInWindows1251AndBytesThatAreNoUtf8) {
    BattleFixture battle(30);
    battle.Vehicle(4).name = "Marker4";
    battle.Vehicle(5).name = "Marker5";
    BattleJsonTexts texts = Replaced(battle.Texts(), "Marker4", "\xcd\xe8\xea");  // "Ник"
    texts = Replaced(texts, "Marker5", "\xff\xfe\x98\xc0");
    const std::string path = Write(test::ReplayOf(texts));
    for (ReadingVariant variant : {ReadingVariant::Single, ReadingVariant::List}) {
        const Reading reading = ReadAll(path, variant);
        ASSERT_TRUE(reading.AllOk());
        EXPECT_EQ(reading.tables.vehicles[4][vf::Name], "Ник");
        EXPECT_EQ(reading.tables.vehicles[5][vf::Name], "яю\xEF\xBF\xBDА");
        EXPECT_EQ(reading.tables.vehicles[4][vf::AccountId], battle.Vehicle(4).accountId);
        EXPECT_EQ(reading.tables.vehicles[5][vf::AccountId], battle.Vehicle(5).accountId);
    }
    EXPECT_EQ(LibraryRowOf(path), LibraryRowKind::Normal);

    // The same name as \u escapes in the header and as windows-1251 bytes in the results.
    BattleFixture mixed(30);
    mixed.Vehicle(4).name = "Ник";
    BattleJsonTexts mixedTexts = mixed.Texts();
    mixedTexts.results = ReplaceAll(mixedTexts.results, "\\u041d\\u0438\\u043a", "\xcd\xe8\xea");
    ASSERT_NE(mixedTexts.results.find("\xcd\xe8\xea"), std::string::npos);
    const Reading reading = ReadAll(Write(test::ReplayOf(mixedTexts)), ReadingVariant::Single);
    ASSERT_TRUE(reading.AllOk());
    EXPECT_EQ(reading.tables.vehicles[4][vf::AccountId], mixed.Vehicle(4).accountId);
}

TEST_F(ReplayHostile, NulBytesInsideStringsFailTheTextTheyAreIn) {
    const std::string nul("a\0b", 3);
    BattleFixture battle(30);
    battle.Vehicle(2).name = "Marker2";
    const BattleJsonTexts clean = battle.Texts();

    // In the header: the header object is no JSON, and every analysis says so.
    BattleJsonTexts texts = clean;
    texts.header = ReplaceAll(texts.header, "Marker2", nul);
    std::string path = Write(test::ReplayOf(texts));
    for (ReadingVariant variant : {ReadingVariant::Single, ReadingVariant::List}) {
        const Reading reading = ReadAll(path, variant);
        EXPECT_FALSE(reading.headerOk);
        EXPECT_TRUE(reading.complete);
    }
    EXPECT_EQ(LibraryRowOf(path), LibraryRowKind::Error);

    // In the results' players: the results pass fails, the header still reads.
    texts = clean;
    texts.results = ReplaceAll(texts.results, "Marker2", nul);
    path = Write(test::ReplayOf(texts));
    const Reading reading = ReadAll(path, ReadingVariant::List);
    EXPECT_TRUE(reading.headerOk);
    EXPECT_EQ(reading.headerPass, PassStatus::Ok);
    EXPECT_NE(reading.resultsPass, PassStatus::Ok);
    EXPECT_EQ(LibraryRowOf(path), LibraryRowKind::Error);
}

TEST_F(ReplayHostile, ARepeatedKeyCountsItsFirstValue) {
    BattleFixture battle(30);
    BattleJsonTexts texts = battle.Texts();
    // Each results vehicle's "xp" written twice, the second time as another number.
    texts.results = ReplaceAll(texts.results, "\"xp\": ", "\"xp\": 7, \"xp\": ");
    ASSERT_NE(texts.results.find("\"xp\": 7, \"xp\": "), std::string::npos);
    const Reading reading = ReadAll(Write(test::ReplayOf(texts)), ReadingVariant::Single);
    ASSERT_TRUE(reading.AllOk());
    EXPECT_EQ(reading.tables.vehicles[0][vf::Xp], "7");
    EXPECT_EQ(reading.tables.personal.Value("xp"), "7");
}

TEST_F(ReplayHostile, ResultsThatAreAnArrayOrAString) {
    const BattleFixture battle(30);
    const BattleJsonTexts clean = battle.Texts();
    const std::vector<std::string> seconds = {
        // The second block holds the key words but no object at all.
        R"(["arenaUniqueID", "spotted", "clanAbbrev", "vehicleType", "frags"])",
        R"("arenaUniqueID spotted clanAbbrev vehicleType frags")",
        R"({"arenaUniqueID": ["spotted"], "personal": "spotted", "players": [], "vehicles": "x", "common": 1})",
        R"({"arenaUniqueID": 1, "personal": [{"spotted": 1}], "players": {}, "vehicles": {}, "common": {}})",
        R"({"arenaUniqueID": 1, "personal": {"a": "spotted"}, "players": "p", "vehicles": [], "common": []})",
    };
    for (const std::string& second : seconds) {
        ReplayFixture fixture;
        fixture.header = clean.header;
        fixture.results = second;
        fixture.vehicles = R"({"1": {"vehicleType": [], "frags": "clanAbbrev"}})";
        fixture.frags = R"({"frags": "frags"})";
        const std::string path = Write(fixture);
        for (ReadingVariant variant : {ReadingVariant::Single, ReadingVariant::List}) {
            const Reading reading = ReadAll(path, variant);
            EXPECT_TRUE(reading.headerOk) << second;
            EXPECT_NE(reading.resultsPass, PassStatus::Ok) << second;
            EXPECT_FALSE(reading.AllOk()) << second;
        }
        // An error or marked row, or for a later client whose personal results are no
        // object the early row; never a row of values.
        EXPECT_NE(LibraryRowOf(path), LibraryRowKind::Normal) << second;
    }
}

// The reader takes files in chunks of 64 KiB and its brace walk jumps ahead inside strings: an
// escape, a quote or a brace on either side of a chunk's end must count as in one piece.
TEST_F(ReplayHostile, EscapesAndBracesAcrossTheReadersChunks) {
    constexpr std::size_t kChunk = 64 * 1024;
    for (const std::string& tricky :
         {std::string("\\\"}"), std::string("\\\\\"}"), std::string("}\\\"{"),
          std::string("\\\\\\\"}\\\\"), std::string("{\"}\""), std::string("\\u0022}")}) {
        for (std::size_t shift = 0; shift < 6; ++shift) {
            // The header's version title holds the tricky text around the chunk's end.
            const std::string head = "{\"clientVersionFromXml\": \"";
            const std::size_t padding = kChunk - shift - head.size();
            std::string title(padding, 'x');
            title += tricky;
            const std::string header =
                head + title + "\", \"clientVersionFromExe\": \"0, 9, 15, 0\"}";
            const std::string text = header + "\x01\x02" + header;
            const auto blocks = ReadReplayBlocks(Write(text), ReadingVariant::List);
            ASSERT_TRUE(blocks);
            EXPECT_EQ(blocks->HeaderBlock, test::PlainCut(text)) << tricky << " " << shift;
            EXPECT_EQ(CutJsonBlock(text), test::PlainCut(text)) << tricky << " " << shift;
        }
    }
}

}  // namespace
}  // namespace kordex
