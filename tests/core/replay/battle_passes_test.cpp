#include "replay/battle_passes.h"

#include <gtest/gtest.h>

#include "replay/json.h"
#include "replay/version_layout.h"
#include "support/battle_fixture.h"

namespace kordex {
namespace {

namespace vf = vehicle_field;
namespace pf = player_field;
using test::BattleFixture;

BattleTables Empty() {
    BattleTables tables;
    ResetBattleTables(tables);
    return tables;
}

// The status of a results pass over fresh tables.
PassStatus ResultsStatus(const std::string& text, int clientVersion,
                         PersonalKeys keys = PersonalKeys::Single) {
    BattleTables tables = Empty();
    return ResultsPass(text, clientVersion, keys, tables).status;
}

// The tables after the header pass and the results pass, as the single view runs them first.
BattleTables HeaderAndResults(const BattleFixture& battle, int clientVersion = 9171,
                              PersonalKeys keys = PersonalKeys::Single) {
    BattleTables tables = Empty();
    EXPECT_TRUE(VehiclesPass(battle.HeaderVehiclesJson(), tables.vehicles).Ok());
    EXPECT_TRUE(ResultsPass(battle.ResultsJson(), clientVersion, keys, tables).Ok());
    return tables;
}

// A text a pass is given, and the status it must end with.
struct TextCase {
    const char* name;
    std::string text;
    PassStatus status;
};

// ---- Header pass and final pass -------------------------------------------------------------

TEST(VehiclesPass, FillsTheIdentityFieldsOfEveryVehicleInTextOrder) {
    BattleFixture battle(30);
    battle.Vehicle(3).clan = "RED";
    battle.Vehicle(3).teamKiller = true;
    battle.Vehicle(3).events = R"({"k": [1, 2]})";
    battle.Vehicle(29).name = "Иван_Последний";
    BattleTables tables = Empty();
    ASSERT_TRUE(VehiclesPass(battle.HeaderVehiclesJson(), tables.vehicles).Ok());
    for (int i = 0; i < 30; ++i) {
        const auto& row = tables.vehicles[static_cast<std::size_t>(i)];
        const auto& v = battle.Vehicle(i);
        EXPECT_EQ(row[vf::Id], v.vehicleId) << i;
        EXPECT_EQ(row[vf::Type], v.vehicleType) << i;
        EXPECT_EQ(row[vf::Alive], "true") << i;
        EXPECT_EQ(row[vf::Name], v.name) << i;
        EXPECT_EQ(row[vf::Team], std::to_string(v.team)) << i;
        EXPECT_EQ(row[4], "") << i;
        EXPECT_EQ(row[vf::Kills], "") << i;
    }
    const auto& tk = tables.vehicles[3];
    EXPECT_EQ(tk[vf::Clan], "RED");
    EXPECT_EQ(tk[vf::TeamKiller], "true");
    EXPECT_EQ(tk[vf::Events], "{k:[1,2]}");
    EXPECT_EQ(tables.vehicles[2][vf::Clan], "");
    EXPECT_EQ(tables.vehicles[2][vf::TeamKiller], "false");
    EXPECT_EQ(tables.vehicles[29][vf::Name], "Иван_Последний");
}

TEST(VehiclesPass, FourteenAgainstFourteenLeavesTheLastRowsEmpty) {
    BattleFixture battle(28);
    BattleTables tables = Empty();
    ASSERT_TRUE(VehiclesPass(battle.VehiclesJson(), tables.vehicles).Ok());
    EXPECT_EQ(tables.vehicles[13][vf::Team], "1");
    EXPECT_EQ(tables.vehicles[14][vf::Team], "2");
    EXPECT_EQ(tables.vehicles[27][vf::Name], "Player28");
    for (std::size_t row : {28u, 29u})
        for (const auto& field : tables.vehicles[row])
            EXPECT_EQ(field, "") << row;
}

TEST(VehiclesPass, AThirtyFirstMemberFailsAfterTheRowsBeforeItAreFilled) {
    BattleFixture battle(31);
    BattleTables tables = Empty();
    PassResult result = VehiclesPass(battle.HeaderVehiclesJson(), tables.vehicles);
    EXPECT_EQ(result.status, PassStatus::Failure);
    EXPECT_FALSE(result.description.empty());
    EXPECT_EQ(tables.vehicles[29][vf::Name], "Player30");
}

TEST(VehiclesPass, TellsATextThatIsNoJsonFromOtherFailures) {
    BattleFixture missingName(4);
    missingName.Vehicle(2).omitKeys = {"isTeamKiller"};
    const TextCase cases[] = {
        {"empty text", "", PassStatus::NotJson},
        {"binary fragment", "\x01\x02{\"", PassStatus::NotJson},
        {"cut off", R"({"1": {"vehicleType": "ussr:T-34")", PassStatus::NotJson},
        {"array", "[1, 2]", PassStatus::Failure},
        {"member is a number", R"({"1": 5})", PassStatus::Failure},
        {"member is a string", R"({"1": "{}"})", PassStatus::Failure},
        {"member is an array", R"({"1": [{}]})", PassStatus::Failure},
        {"missing key", missingName.VehiclesJson(), PassStatus::Failure},
        {"no members", "{}", PassStatus::Ok},
    };
    for (const TextCase& c : cases) {
        BattleTables tables = Empty();
        EXPECT_EQ(VehiclesPass(c.text, tables.vehicles).status, c.status) << c.name;
    }
}

TEST(VehiclesPass, AMissingKeyKeepsTheRowsAndFieldsReadBeforeIt) {
    BattleFixture battle(4);
    battle.Vehicle(2).omitKeys = {"team"};
    BattleTables tables = Empty();
    PassResult result = VehiclesPass(battle.VehiclesJson(), tables.vehicles);
    ASSERT_EQ(result.status, PassStatus::Failure);
    EXPECT_NE(result.description.find("team"), std::string::npos) << result.description;
    EXPECT_EQ(tables.vehicles[1][vf::Team], "1");
    EXPECT_EQ(tables.vehicles[2][vf::Name], "Player03");  // read before "team"
    EXPECT_EQ(tables.vehicles[2][vf::Team], "");
    EXPECT_EQ(tables.vehicles[3][vf::Name], "");
}

TEST(VehiclesPass, FinalPassRewritesIdentityAndSurvivalButKeepsResults) {
    BattleFixture battle(6);
    battle.Vehicle(1).aliveAtStart = true;
    battle.Vehicle(1).alive = false;
    BattleTables tables = Empty();
    ASSERT_TRUE(VehiclesPass(battle.HeaderVehiclesJson(), tables.vehicles).Ok());
    EXPECT_EQ(tables.vehicles[1][vf::Alive], "true");
    tables.vehicles[1][vf::Xp] = "777";
    tables.vehicles[1][vf::Kills] = "2";
    tables.vehicles[1][vf::PlatoonId] = "55";
    ASSERT_TRUE(VehiclesPass(battle.VehiclesJson(), tables.vehicles).Ok());
    EXPECT_EQ(tables.vehicles[1][vf::Alive], "false");
    EXPECT_EQ(tables.vehicles[1][vf::Xp], "777");
    EXPECT_EQ(tables.vehicles[1][vf::Kills], "2");
    EXPECT_EQ(tables.vehicles[1][vf::PlatoonId], "55");
}

// ---- Results pass ---------------------------------------------------------------------------

TEST(ResultsPass, ReadsEveryPartOfALaterClientsResults) {
    BattleFixture battle(30, "0.9.17.1");
    battle.SetRecorder(4).SetWinnerTeam("2").SetArenaUniqueID("20391498418753540");
    battle.SetCommon("duration", "398.5");
    battle.Vehicle(4).xp = "1234";
    battle.Vehicle(4).damage = "2100";
    battle.Vehicle(7).clanDBID = "74136";
    battle.Vehicle(7).platoonId = "8812";
    battle.Vehicle(7).name = "Пётр";
    BattleTables tables = Empty();
    PassResult result = ResultsPass(battle.ResultsJson(), 9171, PersonalKeys::Single, tables);
    ASSERT_TRUE(result.Ok()) << result.description;

    ASSERT_EQ(tables.personal.values.size(), 68u);
    EXPECT_EQ(tables.personal.values.front().key, "spotted");
    EXPECT_EQ(tables.personal.values.back().key, "achievementFreeXP");
    EXPECT_EQ(tables.personal.Value("xp"), "1234");
    EXPECT_EQ(tables.personal.Value("damageDealt"), "2100");
    EXPECT_EQ(tables.personal.Value("team"), "1");
    EXPECT_EQ(tables.personal.Value("autoLoadCost"), "[1234,0]");
    EXPECT_EQ(tables.personal.Value("isPremium"), "false");
    EXPECT_EQ(tables.personal.Value("noDamageDirectHitsReceived"), "");  // series only

    const auto& player = tables.players[7];
    EXPECT_EQ(player[pf::Name], "Пётр");
    EXPECT_EQ(player[pf::AccountId], battle.Vehicle(7).accountId);
    EXPECT_EQ(player[pf::ClanId], "74136");
    EXPECT_EQ(player[pf::PlatoonId], "8812");
    EXPECT_EQ(tables.players[29][pf::Name], "Player30");

    for (int i = 0; i < 30; ++i) {
        const auto& row = tables.vehicles[static_cast<std::size_t>(i)];
        const auto& v = battle.Vehicle(i);
        EXPECT_EQ(row[vf::Id], v.vehicleId);
        EXPECT_EQ(row[vf::Xp], v.xp);
        EXPECT_EQ(row[vf::Damage], v.damage);
        EXPECT_EQ(row[vf::AssistRadio], v.assistRadio);
        EXPECT_EQ(row[vf::AssistTrack], v.assistTrack);
        EXPECT_EQ(row[vf::Shots], v.shots);
        EXPECT_EQ(row[vf::Hits], v.hits);
        EXPECT_EQ(row[vf::Pierced], v.pierced);
        EXPECT_EQ(row[vf::HeHits], v.heHits);
        EXPECT_EQ(row[vf::Name], "");  // identity is the vehicles passes'
    }

    EXPECT_EQ(tables.common.finishReason, "1");
    EXPECT_EQ(tables.common.arenaCreateTime, "1490712189");
    EXPECT_EQ(tables.common.duration, "398.5");
    EXPECT_EQ(tables.common.winnerTeam, "2");
    EXPECT_EQ(tables.common.arenaUniqueID, "20391498418753540");
}

TEST(ResultsPass, ChoosesKeyNamesAndNestingByClientVersion) {
    struct Case {
        const char* versionText;
        int clientVersion;
        const char* hitsKey;  // the personal key of direct hits as read
        const char* receivedKey;
    };
    const Case cases[] = {
        {"0, 8, 11, 0", 811, "hits", "shotsReceived"},
        {"0, 9, 0, 0", 900, "directHits", "directHitsReceived"},
        {"0, 9, 7, 0", 970, "directHits", "directHitsReceived"},
        {"0, 9, 8, 0", 980, "directHits", "directHitsReceived"},
        {"0, 9, 10, 0", 9100, "directHits", "directHitsReceived"},
        {"0.9.17.1", 9171, "directHits", "directHitsReceived"},
    };
    for (const Case& c : cases) {
        BattleFixture battle(30, c.versionText);
        battle.Vehicle(0).hits = "11";
        battle.Vehicle(9).hits = "6";
        battle.Vehicle(9).pierced = "4";
        battle.Vehicle(9).heHits = "3";
        battle.SetPersonal(c.receivedKey, "17");
        BattleTables tables = Empty();
        PassResult result =
            ResultsPass(battle.ResultsJson(), c.clientVersion, PersonalKeys::Series, tables);
        ASSERT_TRUE(result.Ok()) << c.versionText << ": " << result.description;
        EXPECT_EQ(tables.vehicles[9][vf::Hits], "6") << c.versionText;
        EXPECT_EQ(tables.vehicles[9][vf::Pierced], "4") << c.versionText;
        EXPECT_EQ(tables.vehicles[9][vf::HeHits], "3") << c.versionText;
        ASSERT_EQ(tables.personal.values.size(), 69u) << c.versionText;
        EXPECT_EQ(tables.personal.values[52].key, c.hitsKey) << c.versionText;
        // Value asks by the later name whatever the replay wrote.
        EXPECT_EQ(tables.personal.Value("directHits"), "11") << c.versionText;
        EXPECT_EQ(tables.personal.Value("directHitsReceived"), "17") << c.versionText;
        EXPECT_EQ(tables.personal.Value("noDamageDirectHitsReceived"), "2") << c.versionText;
    }
}

TEST(ResultsPass, KeyNamesOfTheWrongGenerationFail) {
    struct Case {
        const char* versionText;
        int clientVersion;
        BattleFixture::KeyNames names;
    };
    for (const Case& c : {Case{"0, 9, 5, 0", 950, BattleFixture::KeyNames::Old},
                          Case{"0.9.17.1", 9171, BattleFixture::KeyNames::Old},
                          Case{"0, 8, 11, 0", 811, BattleFixture::KeyNames::New}}) {
        BattleFixture battle(30, c.versionText);
        battle.SetKeyNames(c.names);
        EXPECT_EQ(ResultsStatus(battle.ResultsJson(), c.clientVersion), PassStatus::Failure)
            << c.versionText;
    }
}

TEST(ResultsPass, WrappedResultsReadWithAnEarlierLayoutFail) {
    BattleFixture battle(10, "0.9.17.1");
    EXPECT_EQ(ResultsStatus(battle.ResultsJson(), 970), PassStatus::Failure);
}

TEST(ResultsPass, EveryMissingKeyFails) {
    struct Case {
        const char* key;  // left out, and named in the description
        void (*change)(BattleFixture&);
        PersonalKeys keys;
    };
    const Case cases[] = {
        {"questsProgress", [](BattleFixture& b) { b.OmitPersonalKey("questsProgress"); },
         PersonalKeys::Single},
        {"noDamageDirectHitsReceived",
         [](BattleFixture& b) { b.OmitPersonalKey("noDamageDirectHitsReceived"); },
         PersonalKeys::Series},
        {"finishReason", [](BattleFixture& b) { b.OmitCommonKey("finishReason"); },
         PersonalKeys::Single},
        {"prebattleID", [](BattleFixture& b) { b.Vehicle(5).omitKeys = {"prebattleID"}; },
         PersonalKeys::Single},
        {"xp", [](BattleFixture& b) { b.Vehicle(5).omitKeys = {"xp"}; }, PersonalKeys::Single},
        {"explosionHits", [](BattleFixture& b) { b.Vehicle(5).omitKeys = {"explosionHits"}; },
         PersonalKeys::Single},
    };
    for (const Case& c : cases) {
        BattleFixture battle(30, "0, 9, 15, 0");
        c.change(battle);
        BattleTables tables = Empty();
        PassResult result = ResultsPass(battle.ResultsJson(), 9150, c.keys, tables);
        EXPECT_EQ(result.status, PassStatus::Failure) << c.key;
        EXPECT_NE(result.description.find(c.key), std::string::npos) << result.description;
    }
    // The series' extra key is not needed by the single view.
    BattleFixture battle(30, "0, 9, 15, 0");
    battle.OmitPersonalKey("noDamageDirectHitsReceived");
    EXPECT_EQ(ResultsStatus(battle.ResultsJson(), 9150), PassStatus::Ok);
}

TEST(ResultsPass, FailsOnBrokenTopLevelParts) {
    const std::string common =
        R"("common": {"finishReason": 1, "arenaCreateTime": 2, "duration": 3, "winnerTeam": 1})";
    const TextCase cases[] = {
        {"not JSON", "\x0b\x80garbage", PassStatus::NotJson},
        {"empty", "", PassStatus::NotJson},
        {"array", "[{}]", PassStatus::Failure},
        {"no personal", "{" + common + R"(, "arenaUniqueID": 1})", PassStatus::Failure},
        {"personal is a number", R"({"personal": 1})", PassStatus::Failure},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(ResultsStatus(c.text, 9150), c.status) << c.name;
    BattleFixture battle(4, "0, 9, 15, 0");
    battle.SetArenaUniqueID("1");
    std::string text = battle.ResultsJson();
    text.replace(text.find("\"arenaUniqueID\""), 15, "\"arenaUniqueId\"");
    EXPECT_EQ(ResultsStatus(text, 9150), PassStatus::Failure);
}

TEST(ResultsPass, AThirtyFirstPlayerOrResultsVehicleFails) {
    BattleFixture battle(31, "0, 9, 15, 0");
    BattleTables tables = Empty();
    EXPECT_EQ(ResultsPass(battle.ResultsJson(), 9150, PersonalKeys::Single, tables).status,
              PassStatus::Failure);
    EXPECT_EQ(tables.players[29][pf::Name], "Player30");

    // Thirty players, thirty-one results vehicles.
    battle.Vehicle(30).inPlayers = false;
    tables = Empty();
    EXPECT_EQ(ResultsPass(battle.ResultsJson(), 9150, PersonalKeys::Single, tables).status,
              PassStatus::Failure);
    EXPECT_EQ(tables.vehicles[29][vf::Xp], battle.Vehicle(29).xp);
}

// From 9.8 on each results vehicle is cut out of its array by dropping the first and last
// character; what then does not parse leaves the row as the header pass filled it.
TEST(ResultsPass, LaterClientsResultsVehicleThatIsNoOneObjectArray) {
    // A complete personal object from the fixture; the vehicles are written by hand.
    const std::string personal =
        *ParseObject(BattleFixture(1, "0.9.17.1").ResultsJson()).object.MemberText("personal");
    auto results = [&](const std::string& secondVehicle) {
        return R"({"arenaUniqueID": 9, "personal": )" + personal + R"(, "vehicles": {)" +
               R"("10": [{"xp": 1, "damageDealt": 2, "damageAssistedRadio": 3,)" +
               R"( "damageAssistedTrack": 4, "shots": 5, "directHits": 6, "piercings": 7,)" +
               R"( "explosionHits": 8}], "11": )" + secondVehicle + R"(}, "players": {},)" +
               R"( "common": {"finishReason": 1, "arenaCreateTime": 2, "duration": 3,)" +
               R"( "winnerTeam": 1}})";
    };
    struct Case {
        const char* secondVehicle;
        PassStatus status;
    };
    const Case cases[] = {
        {"[]", PassStatus::Ok},          {"[{\"xp\": 1}, {\"xp\": 2}]", PassStatus::Ok},
        {"5", PassStatus::Ok},           {"[5]", PassStatus::Failure},
        {"[[{}]]", PassStatus::Failure}, {"[{\"xp\": 1}]", PassStatus::Failure},  // a key missing
    };
    for (const Case& c : cases) {
        BattleTables tables = Empty();
        tables.vehicles[1][vf::Name] = "FromHeader";
        PassResult result =
            ResultsPass(results(c.secondVehicle), 9171, PersonalKeys::Single, tables);
        EXPECT_EQ(result.status, c.status) << c.secondVehicle << ": " << result.description;
        EXPECT_EQ(tables.vehicles[0][vf::HeHits], "8") << c.secondVehicle;
        EXPECT_EQ(tables.vehicles[1][vf::Id], "11") << c.secondVehicle;
        EXPECT_EQ(tables.vehicles[1][vf::Name], "FromHeader") << c.secondVehicle;
        if (c.status == PassStatus::Ok) {
            EXPECT_EQ(tables.vehicles[1][vf::Xp], "") << c.secondVehicle;
        }
    }
}

TEST(ResultsPass, LaterClientsPersonalResultsAreTheFirstVehicleTypesValues) {
    BattleFixture battle(4, "0, 9, 8, 0");
    battle.Vehicle(0).typeCompDescr = "7969";
    battle.Vehicle(0).xp = "901";
    BattleTables tables = Empty();
    ASSERT_TRUE(ResultsPass(battle.ResultsJson(), 980, PersonalKeys::Single, tables).Ok());
    EXPECT_EQ(tables.personal.Value("xp"), "901");
    EXPECT_EQ(tables.personal.Value("typeCompDescr"), "7969");

    for (const char* personal : {R"({})", R"({"7969": 5})", R"({"7969": [{}]})"}) {
        std::string text = R"({"arenaUniqueID": 1, "personal": )" + std::string(personal) + "}";
        EXPECT_EQ(ResultsStatus(text, 980), PassStatus::Failure) << personal;
    }
}

// ---- Frags pass -----------------------------------------------------------------------------

TEST(FragsPass, KillsAsWrittenAndZeroForAnEmptyValue) {
    BattleFixture battle(5);
    battle.Vehicle(0).frags = "0";
    battle.Vehicle(1).frags = "3";
    battle.Vehicle(2).frags = "\"\"";
    battle.Vehicle(3).frags = "null";
    BattleTables tables = Empty();
    ASSERT_TRUE(FragsPass(battle.FragsJson(), tables.vehicles).Ok());
    EXPECT_EQ(tables.vehicles[0][vf::Kills], "0");
    EXPECT_EQ(tables.vehicles[1][vf::Kills], "3");
    EXPECT_EQ(tables.vehicles[2][vf::Kills], "0");
    EXPECT_EQ(tables.vehicles[3][vf::Kills], "null");
    EXPECT_EQ(tables.vehicles[5][vf::Kills], "");
    EXPECT_EQ(tables.vehicles[1][vf::Id], "");  // ids are the other passes'
}

// Some clan battle replays list the frags in another order, and not every vehicle: the kills
// go to the row of their vehicle id.
TEST(FragsPass, KillsFollowTheVehicleIdsOfTheResults) {
    BattleFixture battle(6);
    for (int i = 0; i < 6; ++i)
        battle.Vehicle(i).frags = std::to_string(i + 1);
    // The frags block: the last four vehicles, last first.
    BattleFixture listed(4);
    for (int i = 0; i < 4; ++i)
        listed.Vehicle(i) = battle.Vehicle(5 - i);
    BattleTables tables = Empty();
    ASSERT_TRUE(ResultsPass(battle.ResultsJson(), 9171, PersonalKeys::Single, tables).Ok());
    ASSERT_TRUE(FragsPass(listed.FragsJson(), tables.vehicles).Ok());
    const std::vector<std::string> kills = {"", "", "3", "4", "5", "6"};
    for (std::size_t i = 0; i < kills.size(); ++i)
        EXPECT_EQ(tables.vehicles[i][vf::Kills], kills[i]) << i;
}

TEST(FragsPass, Failures) {
    BattleFixture missing(3);
    missing.Vehicle(1).omitKeys = {"frags"};
    const TextCase cases[] = {
        {"not JSON", "fr\x1a", PassStatus::NotJson},
        {"array", "[]", PassStatus::Failure},
        {"member not an object", R"({"1": {"frags": 1}, "2": 2})", PassStatus::Failure},
        {"missing frags", missing.FragsJson(), PassStatus::Failure},
        {"31 members", BattleFixture(31).FragsJson(), PassStatus::Failure},
        {"30 members", BattleFixture(30).FragsJson(), PassStatus::Ok},
    };
    for (const TextCase& c : cases) {
        BattleTables tables = Empty();
        EXPECT_EQ(FragsPass(c.text, tables.vehicles).status, c.status) << c.name;
    }
}

// ---- Players join ---------------------------------------------------------------------------

TEST(JoinPlayers, CopiesIdsByNameAndThePlatoonOnlyForTheSingleView) {
    for (JoinForm form : {JoinForm::Single, JoinForm::Series}) {
        BattleFixture battle(30);
        battle.Vehicle(12).clanDBID = "5001";
        battle.Vehicle(12).platoonId = "301";
        BattleTables tables = HeaderAndResults(battle);
        // Players listed in another order than the vehicles are still found by name.
        std::swap(tables.players[0], tables.players[20]);
        ASSERT_TRUE(JoinPlayers(tables, form).Ok());
        for (int i = 0; i < 30; ++i)
            EXPECT_EQ(tables.vehicles[static_cast<std::size_t>(i)][vf::AccountId],
                      battle.Vehicle(i).accountId);
        EXPECT_EQ(tables.vehicles[12][vf::ClanId], "5001");
        EXPECT_EQ(tables.vehicles[12][vf::PlatoonId], form == JoinForm::Single ? "301" : "");
        EXPECT_EQ(tables.vehicles[11][vf::PlatoonId], form == JoinForm::Single ? "0" : "");
    }
}

TEST(JoinPlayers, ANameWithoutAPlayerFails) {
    BattleFixture battle(10);
    battle.Vehicle(6).inPlayers = false;
    BattleTables tables = HeaderAndResults(battle);
    PassResult result = JoinPlayers(tables, JoinForm::Single);
    EXPECT_EQ(result.status, PassStatus::Failure);
    EXPECT_NE(result.description.find("Player07"), std::string::npos) << result.description;
}

TEST(JoinPlayers, NamesMatchExactlyAndTheFirstOfTwoEqualNamesWins) {
    BattleTables tables = Empty();
    tables.players[0] = {"Twin", "100", "1", "7"};
    tables.players[1] = {"twin", "200", "2", "8"};
    tables.players[2] = {"Twin", "300", "3", "9"};
    tables.vehicles[0][vf::Name] = "twin";
    tables.vehicles[1][vf::Name] = "Twin";
    tables.vehicles[4][vf::Name] = "Twin";
    tables.vehicles[2][vf::Team] = "1";  // no name: not looked up
    ASSERT_TRUE(JoinPlayers(tables, JoinForm::Single).Ok());
    EXPECT_EQ(tables.vehicles[0][vf::AccountId], "200");
    EXPECT_EQ(tables.vehicles[1][vf::AccountId], "100");
    EXPECT_EQ(tables.vehicles[4][vf::AccountId], "100");
    EXPECT_EQ(tables.vehicles[4][vf::ClanId], "1");
    EXPECT_EQ(tables.vehicles[4][vf::PlatoonId], "7");
    EXPECT_EQ(tables.vehicles[2][vf::AccountId], "");

    tables.vehicles[5][vf::Name] = "TWIN";
    EXPECT_EQ(JoinPlayers(tables, JoinForm::Series).status, PassStatus::Failure);
}

// ---- All passes in the single view's order -------------------------------------------------

TEST(BattlePasses, AllPassesTogetherFillEveryRowOfOneBattle) {
    BattleFixture battle(30, "0, 9, 0, 0");
    battle.Vehicle(17).name = "Игрок_17";
    battle.Vehicle(17).clan = "КЛАН";
    battle.Vehicle(17).clanDBID = "4242";
    battle.Vehicle(17).alive = false;
    battle.Vehicle(17).frags = "4";
    BattleTables tables = HeaderAndResults(battle, 900);
    ASSERT_TRUE(FragsPass(battle.FragsJson(), tables.vehicles).Ok());
    ASSERT_TRUE(JoinPlayers(tables, JoinForm::Single).Ok());
    ASSERT_TRUE(VehiclesPass(battle.VehiclesJson(), tables.vehicles).Ok());
    const auto& row = tables.vehicles[17];
    EXPECT_EQ(row[vf::Name], "Игрок_17");
    EXPECT_EQ(row[vf::Clan], "КЛАН");
    EXPECT_EQ(row[vf::Alive], "false");
    EXPECT_EQ(row[vf::Kills], "4");
    EXPECT_EQ(row[vf::Xp], battle.Vehicle(17).xp);
    EXPECT_EQ(row[vf::AccountId], battle.Vehicle(17).accountId);
    EXPECT_EQ(row[vf::ClanId], "4242");
    EXPECT_EQ(row[vf::PlatoonId], "0");
    for (const auto& r : tables.vehicles)
        EXPECT_FALSE(r[vf::Name].empty() || r[vf::Team].empty() || r[vf::AccountId].empty());
}

// ---- Tables and layouts ---------------------------------------------------------------------

TEST(BattleTables, ResetEmptiesEverything) {
    BattleFixture battle(30);
    BattleTables tables = HeaderAndResults(battle, 9171, PersonalKeys::Series);
    ResetBattleTables(tables);
    for (const auto& row : tables.vehicles)
        for (const auto& field : row)
            EXPECT_EQ(field, "");
    for (const auto& row : tables.players)
        for (const auto& field : row)
            EXPECT_EQ(field, "");
    EXPECT_TRUE(tables.personal.values.empty());
    EXPECT_EQ(tables.personal.Value("xp"), "");
    EXPECT_EQ(tables.common.winnerTeam, "");
    EXPECT_EQ(tables.common.arenaUniqueID, "");
}

TEST(VersionLayout, RangesOfTheClients) {
    struct Case {
        int version;
        bool wrapped;
        const char* hitsName;
    };
    const Case cases[] = {
        {800, false, "hits"},       {810, false, "hits"},       {811, false, "hits"},
        {812, false, "directHits"}, {900, false, "directHits"}, {979, false, "directHits"},
        {980, true, "directHits"},  {9100, true, "directHits"}, {9171, true, "directHits"},
    };
    for (const Case& c : cases) {
        const VersionLayout& layout = LayoutOf(c.version);
        EXPECT_EQ(layout.wrapped, c.wrapped) << c.version;
        EXPECT_EQ(layout.KeyName("directHits"), c.hitsName) << c.version;
        EXPECT_EQ(layout.KeyName("xp"), "xp") << c.version;
    }
}

}  // namespace
}  // namespace kordex
