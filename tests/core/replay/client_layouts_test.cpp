#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "library/net_profit.h"
#include "replay/battle_reading.h"
#include "replay/json.h"
#include "support/battle_fixture.h"
#include "support/replace_all.h"

namespace kordex {
namespace {

namespace vf = vehicle_field;
using test::BattleFixture;
using test::ReplaceAll;

TEST(ClientTupleOf, TakesTheTitleFirstAndTheExeVersionWhenTheTitleHasNone) {
    const struct {
        const char* title;
        const char* exe;
        ClientTuple client;
    } cases[] = {
        {"World of Tanks v.1.19.0.2 #76", "1.19.0.0", {1, 19, 0, 2}},
        // Clients that write a wrong exe version.
        {"World of Tanks v.1.0.0 #816", "0.9.23.0", {1, 0, 0}},
        {"World of Tanks v.1.13.0.1 #901", "0.0.0.0", {1, 13, 0, 1}},
        {"World of Tanks v.0.9.15.2 #216", "0.9.15.1", {0, 9, 15, 2}},
        // No-break spaces around the version, a test client, a localized product name.
        {"World of Tanks\xc2\xa0v.1.19.0.2\xc2\xa0#76", "1.19.0.0", {1, 19, 0, 2}},
        {"World of Tanks v.0.8.11 CT #578", "0, 8, 11 0", {0, 8, 11}},
        {"Мир танков v.2.3.0.0 #889", "2.3.0.0", {2, 3, 0, 0}},
        {"World of Tanks v.0, 8, 11, 0 #388", "0, 8, 11, 0", {0, 8, 11, 0}},
        // No digits in the title.
        {"World of Tanks Historical Battles Test #7", "0, 9, 0, 0", {0, 9, 0, 0}},
        {"World of Tanks v.0.0.0 #1", "0, 8, 11 0", {0, 8, 11, 0}},
        // Nothing known at all.
        {"World of Tanks", "0.0.0.0", {}},
        {"", "", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClientTupleOf(c.title, c.exe), c.client) << c.title << " | " << c.exe;
}

BattleHeader HeaderOf(int number, ClientTuple client) {
    BattleHeader header;
    header.clientVersion = number;
    header.client = std::move(client);
    return header;
}

TEST(IsClientAccepted, KeepsTheNumberRulesUpTo9171AndTakesEveryLaterClient) {
    const struct {
        int number;
        ClientTuple client;
        bool single, series, library;
    } cases[] = {
        {811, {0, 8, 11}, true, true, true},
        {810, {0, 8, 10}, false, false, true},
        {860, {0, 8, 6}, false, false, false},
        {850, {0, 8, 5}, false, true, false},
        {9171, {0, 9, 17, 1}, true, true, true},
        // Joined digits that the number rules would misjudge.
        {9230, {1, 0, 0}, true, true, true},
        {1010, {1, 0, 1, 0}, true, true, true},
        {0, {1, 13, 0, 1}, true, true, true},
        {850, {1, 8, 5}, true, true, true},
        // A replay writing "0.0.0.0" without a title version is not old.
        {0, {}, true, true, true},
    };
    for (const auto& c : cases) {
        const BattleHeader header = HeaderOf(c.number, c.client);
        SCOPED_TRACE(ClientTupleText(c.client));
        EXPECT_EQ(IsClientAccepted(header, Analysis::Single), c.single);
        EXPECT_EQ(IsClientAccepted(header, Analysis::Series), c.series);
        EXPECT_EQ(IsClientAccepted(header, Analysis::Library), c.library);
    }
}

TEST(LayoutOf, ChoosesByNumberUpTo9171AndByTheClientAfter) {
    // Up to 9.17.1 the client tuple changes nothing.
    for (int number : {811, 900, 979, 980, 9171})
        EXPECT_EQ(&LayoutOf(number, {0, 9, 1}), &LayoutOf(number));
    const VersionLayout& v1_0 = LayoutOf(9230, {1, 0, 0});
    EXPECT_TRUE(v1_0.wrapped);
    EXPECT_EQ(v1_0.premiumFactorDivisor, 10);
    EXPECT_TRUE(v1_0.playerlessVehicles);
    EXPECT_FALSE(v1_0.numericFlags);
    const VersionLayout& v1_5 = LayoutOf(1500, {1, 5, 0, 1});
    EXPECT_EQ(v1_5.premiumFactorDivisor, 100);
    EXPECT_EQ(v1_5.KeyName("premiumCreditsFactor10"), "premiumCreditsFactor100");
    EXPECT_EQ(v1_5.KeyName("premiumXPFactor10"), "premiumXPFactor100");
    EXPECT_EQ(v1_5.KeyName("dailyXPFactor10"), "dailyXPFactor10");
    EXPECT_TRUE(v1_5.numericFlags);
    EXPECT_FALSE(v1_5.hiddenNames);
    EXPECT_TRUE(LayoutOf(1400, {1, 4, 0, 1}).numericFlags);
    EXPECT_EQ(&LayoutOf(1600, {1, 6, 1, 3}), &v1_5);
    const VersionLayout& v1_7 = LayoutOf(1700, {1, 7});
    EXPECT_TRUE(v1_7.hiddenNames);
    // 1.10 joins to 11000, beyond every number; the parts order it after 1.7.
    EXPECT_EQ(&LayoutOf(11000, {1, 10}), &v1_7);
    // Unknown and newer than every row: the newest.
    EXPECT_EQ(&LayoutOf(0, {}), &NewestLayout());
    EXPECT_EQ(&LayoutOf(3000, {3, 0}), &NewestLayout());
}

// A battle of a client after 9.17.1 as it writes it: the premium factors as hundredths and,
// from 1.7, the flags as numbers.
BattleFixture ModernBattle(const std::string& title, const std::string& exe) {
    // The fixture lays the results out by the exe version's digits; "0.0.0.0" is written over
    // a layout of the client its title names.
    BattleFixture battle(30, exe == "0.0.0.0" ? "1.13.0.0" : exe);
    battle.SetHeader("clientVersionFromExe", test::JsonString(exe));
    battle.SetVersionTitle(title)
        .OmitPersonalKey("premiumCreditsFactor10")
        .OmitPersonalKey("premiumXPFactor10")
        .SetPersonal("premiumCreditsFactor100", "150")
        .SetPersonal("premiumXPFactor100", "100");
    battle.Vehicle(3).alive = false;
    battle.Vehicle(4).teamKiller = true;
    return battle;
}

ReplayBlocks BlocksOf(const BattleFixture& battle, bool numericFlags = false) {
    ReplayBlocks blocks{battle.HeaderJson(), battle.ResultsJson(), battle.VehiclesJson(),
                        battle.FragsJson()};
    if (numericFlags) {
        for (std::string* text : {&blocks.HeaderBlock, &blocks.VehiclesBlock})
            for (const char* key : {"\"isAlive\": ", "\"isTeamKiller\": "}) {
                *text = ReplaceAll(*text, std::string(key) + "true", std::string(key) + "1");
                *text = ReplaceAll(*text, std::string(key) + "false", std::string(key) + "0");
            }
    }
    return blocks;
}

TEST(ReadBattle, ClientsAfter917ReadWithTheirLayouts) {
    const struct {
        const char* title;
        const char* exe;
        bool numericFlags;
    } cases[] = {
        {"World of Tanks v.1.5.0.1 #1283", "1.5.0.0", false},
        {"World of Tanks v.1.5.0.1 #1283", "1.5.0.0", true},
        {"World of Tanks v.1.13.0.1 #901", "0.0.0.0", true},
        {"World of Tanks v.2.3.0.0 #889", "2.3.0.0", true},
        // Newer than every layout: read with the newest.
        {"World of Tanks v.3.1.0.0 #1", "3.1.0.0", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const BattleFixture battle = ModernBattle(c.title, c.exe);
        const BattleRead read = ReadBattleBlocks(BlocksOf(battle, c.numericFlags), {});
        ASSERT_TRUE(read.Ok()) << ReadStageName(read.stage) << ": " << read.description;
        EXPECT_EQ(read.tables.personal.Value("premiumCreditsFactor10"), "150");
        EXPECT_EQ(read.tables.personal.premiumFactorDivisor, 100);
        EXPECT_EQ(read.tables.vehicles[3][vf::Alive], "false");
        EXPECT_EQ(read.tables.vehicles[5][vf::Alive], "true");
        EXPECT_EQ(read.tables.vehicles[4][vf::TeamKiller], "true");
        EXPECT_EQ(read.tables.vehicles[5][vf::TeamKiller], "false");
    }
}

TEST(ReadBattle, StopsAtTheStageThatFailsAndSaysHow) {
    BattleFixture old(30, "0, 8, 6, 0");
    BattleFixture unfinished(30);
    BattleFixture noKey = ModernBattle("World of Tanks v.1.9.0.1 #287", "1.9.0.0");
    noKey.OmitPersonalKey("premiumCreditsFactor100");
    BattleFixture bot(30);
    bot.Vehicle(7).inPlayers = false;
    const struct {
        const char* name;
        ReplayBlocks blocks;
        ReadStage stage;
        ReadFault fault;
    } cases[] = {
        {"header not JSON",
         {"{\"clientVersionFromExe\": ", "", "", ""},
         ReadStage::Header,
         ReadFault::NotJson},
        {"old client", BlocksOf(old), ReadStage::Version, ReadFault::OldVersion},
        {"no results",
         {unfinished.HeaderJson(), "", "", ""},
         ReadStage::Completeness,
         ReadFault::Unfinished},
        {"a key no layout has", BlocksOf(noKey), ReadStage::Results, ReadFault::Failure},
        // Up to 9.17.1 a vehicle without a player still fails the join.
        {"player missing", BlocksOf(bot), ReadStage::Join, ReadFault::Failure},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BattleRead read = ReadBattleBlocks(c.blocks, {});
        EXPECT_FALSE(read.Ok());
        EXPECT_EQ(read.stage, c.stage);
        EXPECT_EQ(read.fault, c.fault);
        EXPECT_FALSE(read.description.empty());
    }
    // The library stops after the completeness test.
    BattleReadRequest library;
    library.analysis = Analysis::Library;
    library.vehicles = VehiclesText::Skip;
    library.last = ReadStage::Completeness;
    const BattleRead read = ReadBattleBlocks(BlocksOf(noKey), library);
    EXPECT_TRUE(read.Ok());
    EXPECT_EQ(read.stage, ReadStage::Completeness);
    EXPECT_TRUE(read.tables.personal.values.empty());
}

TEST(ReadBattle, BotsAndHiddenNamesOfLaterClientsJoin) {
    BattleFixture battle = ModernBattle("World of Tanks v.1.18.1.0 #1471", "1.18.1.0");
    battle.Vehicle(7).inPlayers = false;
    ReplayBlocks blocks = BlocksOf(battle, true);
    // The recorder hides his name: "players" shows the other one and keeps his in "realName".
    blocks.ResultsBlock = ReplaceAll(blocks.ResultsBlock, "\"name\": \"Player01\"",
                                     "\"name\": \"Shown01\", \"realName\": \"Player01\"");
    ASSERT_NE(blocks.ResultsBlock.find("Shown01"), std::string::npos);
    BattleReadRequest request;
    request.join = JoinForm::Single;
    const BattleRead read = ReadBattleBlocks(blocks, request);
    ASSERT_TRUE(read.Ok()) << read.description;
    const VehicleRow& recorder = read.tables.vehicles[0];
    EXPECT_EQ(recorder[vf::Name], "Player01");
    EXPECT_EQ(recorder[vf::AccountId], battle.Vehicle(0).accountId);
    EXPECT_EQ(read.tables.vehicles[7][vf::AccountId], "");
    EXPECT_EQ(read.tables.vehicles[7][vf::PlatoonId], "");
    EXPECT_EQ(read.tables.vehicles[8][vf::AccountId], battle.Vehicle(8).accountId);
}

TEST(ReadBattle, ResultsFollowTheVehicleIdWhateverTheOrderOfTheObjects) {
    // The same battle with its vehicles listed backwards in the results, as a 1.6 client did,
    // and only the recorder's team in the header, as clan battles do.
    const BattleFixture battle = ModernBattle("World of Tanks v.1.6.0.2 #1424", "1.6.0.0");
    BattleFixture backwards = battle;
    const int n = battle.VehicleCount();
    for (int i = 0; i < n; ++i)
        backwards.Vehicle(i) = battle.Vehicle(n - 1 - i);
    backwards.SetRecorder(n - 1);
    BattleFixture oneTeam(n / 2, "1.6.0.0");
    oneTeam.SetVersionTitle("World of Tanks v.1.6.0.2 #1424");
    for (int i = 0; i < n / 2; ++i) {
        ASSERT_EQ(battle.Vehicle(i).team, 1);
        oneTeam.Vehicle(i) = battle.Vehicle(i);
    }
    ReplayBlocks blocks{oneTeam.HeaderJson(), backwards.ResultsJson(), battle.VehiclesJson(),
                        battle.FragsJson()};
    const BattleRead read = ReadBattleBlocks(blocks, {});
    ASSERT_TRUE(read.Ok()) << read.description;
    for (int i = 0; i < n; ++i) {
        const test::FixtureVehicle& v = battle.Vehicle(i);
        const auto row =
            std::find_if(read.tables.vehicles.begin(), read.tables.vehicles.end(),
                         [&](const VehicleRow& r) { return r[vf::Id] == v.vehicleId; });
        ASSERT_NE(row, read.tables.vehicles.end()) << v.vehicleId;
        EXPECT_EQ((*row)[vf::Xp], v.xp) << v.vehicleId;
        EXPECT_EQ((*row)[vf::Damage], v.damage) << v.vehicleId;
        EXPECT_EQ((*row)[vf::Name], v.name) << v.vehicleId;
        EXPECT_EQ((*row)[vf::AccountId], v.accountId) << v.vehicleId;
        EXPECT_EQ((*row)[vf::Kills], v.frags) << v.vehicleId;
    }
}

TEST(ParseObject, TakesABareInfinityAsTheTextOfANumber) {
    const ParsedObject parsed = ParseObject(R"({"racingFinishTime": Infinity, "n": -Infinity})");
    ASSERT_TRUE(parsed.Ok());
    EXPECT_EQ(parsed.object.ValueText("racingFinishTime"), "Infinity");
    EXPECT_EQ(parsed.object.ValueText("n"), "-Infinity");
    // A results block holding one still reads whole.
    BattleFixture battle = ModernBattle("World of Tanks v.1.6.0.0 #1403", "1.6.0.0");
    battle.SetCommon("racingFinishTime", "Infinity");
    EXPECT_TRUE(ReadBattleBlocks(BlocksOf(battle), {}).Ok());
}

TEST(NetProfit, HundredthsFactorsGiveWhatTenthsGave) {
    ProfitValues tenths{"15", "9947", "12", "7", "1520", "[1234,0]", "[300,0]"};
    ProfitValues hundredths = tenths;
    hundredths.premiumCreditsFactor10 = "150";
    hundredths.premiumFactorDivisor = 100;
    ASSERT_TRUE(NetProfit(tenths).has_value());
    EXPECT_EQ(NetProfit(hundredths), NetProfit(tenths));
    hundredths.premiumFactorDivisor = 0;
    EXPECT_FALSE(NetProfit(hundredths).has_value());
}

}  // namespace
}  // namespace kordex
