#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "replay/battle_header.h"
#include "replay/battle_passes.h"
#include "replay/block_reader.h"
#include "replay/json.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

namespace vf = vehicle_field;

struct ReadBattle {
    std::string failure;  // empty when every pass succeeded
    BattleHeader header;
    BattleTables tables;
    bool complete = false;
    std::size_t fragsMembers = 0;  // vehicles the frags block lists
};

// A replay through the header, every pass and the join, in the order the analyses use.
ReadBattle ReadThroughAllPasses(const std::string& path, ReadingVariant variant, PersonalKeys keys,
                                JoinForm form) {
    ReadBattle read;
    ResetBattleTables(read.tables);
    auto blocks = ReadReplayBlocks(path, variant);
    if (!blocks) {
        read.failure = "open";
        return read;
    }
    HeaderParse header = ParseBattleHeader(blocks->HeaderBlock);
    read.header = header.header;
    if (!header.ok) {
        read.failure = "header: " + header.failure;
        return read;
    }
    read.complete = IsBattleComplete(*blocks);
    read.fragsMembers = ParseObject(blocks->FragsBlock).object.MemberCount();
    auto& t = read.tables;
    auto failed = [&](const char* step, const PassResult& result) {
        if (!result.Ok())
            read.failure = std::string(step) + ": " + result.description;
        return !result.Ok();
    };
    if (failed("header pass", VehiclesPass(header.header.vehiclesText, t.vehicles)) ||
        !read.complete)
        return read;
    if (failed("results pass",
               ResultsPass(blocks->ResultsBlock, header.header.clientVersion, keys, t)) ||
        failed("frags pass", FragsPass(blocks->FragsBlock, t.vehicles)) ||
        failed("players join", JoinPlayers(t, form)))
        return read;
    failed("final pass", VehiclesPass(blocks->VehiclesBlock, t.vehicles));
    return read;
}

int FilledRows(const VehicleTable& vehicles) {
    int rows = 0;
    for (const auto& row : vehicles)
        rows += !row[vf::Name].empty() && !row[vf::Team].empty() && !row[vf::AccountId].empty() &&
                !row[vf::Xp].empty();
    return rows;
}

TEST(BattlePassesOnRealReplays, KnownValuesOfTwoLayouts) {
    KORDEX_REQUIRE_SHARED_REPLAYS();
    const std::string folder = test::SharedReplaysFolder();

    // 9.17.1: personal results and results vehicles one level deeper.
    ReadBattle later = ReadThroughAllPasses(
        folder + "/rajesh-rahul-wot-battle-results-parser/1-0_9_17_1-06_ensk-EU-full.wotreplay",
        ReadingVariant::Single, PersonalKeys::Single, JoinForm::Single);
    ASSERT_EQ(later.failure, "");
    const auto& first = later.tables.vehicles[0];
    EXPECT_EQ(first[vf::Id], "18986816");
    EXPECT_EQ(first[vf::Type], "sweden:S13_Leo");
    EXPECT_FALSE(first[vf::Name].empty());  // real players' names are not written here
    EXPECT_EQ(first[vf::Alive], "false");   // the final pass's end state
    EXPECT_EQ(first[vf::Kills], "0");
    EXPECT_EQ(first[vf::Xp], "384");
    EXPECT_EQ(first[vf::Damage], "1260");
    EXPECT_EQ(first[vf::AssistRadio], "190");
    EXPECT_EQ(first[vf::Shots], "7");
    EXPECT_EQ(first[vf::Hits], "7");
    EXPECT_EQ(first[vf::Pierced], "4");
    EXPECT_EQ(first[vf::AccountId], "503719178");
    EXPECT_EQ(first[vf::PlatoonId], "0");
    EXPECT_EQ(later.tables.personal.values.size(), 68u);
    EXPECT_EQ(later.tables.common.winnerTeam, "1");
    EXPECT_EQ(later.tables.common.duration, "398");

    // 8.11: the first names of the keys.
    ReadBattle first811 = ReadThroughAllPasses(
        folder +
            "/svn2github-wot-xvm/"
            "2014-03-22_e910fc8_branches_xvm-5.1.0-0.8.11_utils_replays_test.wotreplay",
        ReadingVariant::Single, PersonalKeys::Series, JoinForm::Single);
    ASSERT_EQ(first811.failure, "");
    EXPECT_EQ(first811.header.clientVersion, 811);
    EXPECT_EQ(FilledRows(first811.tables.vehicles), 14);
    EXPECT_EQ(first811.tables.vehicles[0][vf::Id], "3391392");
    EXPECT_EQ(first811.tables.vehicles[0][vf::Xp], "226");
    EXPECT_EQ(first811.tables.vehicles[0][vf::Hits], "5");
    EXPECT_EQ(first811.tables.vehicles[0][vf::Pierced], "5");
    EXPECT_EQ(first811.tables.vehicles[0][vf::Kills], "1");
    EXPECT_EQ(first811.tables.personal.values.back().key, "noDamageShotsReceived");
    EXPECT_EQ(first811.tables.common.duration, "240.0");
}

}  // namespace
}  // namespace kordex
