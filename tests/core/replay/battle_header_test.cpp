#include "replay/battle_header.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "replay/json.h"
#include "support/replay_fixture.h"

namespace kordex {
namespace {

// The sample header with one member taken out.
std::string HeaderWithout(const std::string& key) {
    const std::string header = test::SampleHeaderJson();
    auto parsed = ParseObject(header);
    std::string text = "{";
    for (std::size_t i = 0; i < parsed.object.MemberCount(); ++i) {
        if (parsed.object.Key(i) == key)
            continue;
        if (text.size() > 1)
            text += ",";
        text += "\"" + parsed.object.Key(i) + "\":" + parsed.object.MemberTextAt(i);
    }
    return text + "}";
}

TEST(ParseBattleHeader, ReadsEveryFieldOfTheHeader) {
    const HeaderParse parse = ParseBattleHeader(test::SampleHeaderJson());
    ASSERT_TRUE(parse.ok) << parse.failure;
    const BattleHeader& h = parse.header;
    EXPECT_EQ(h.versionText, "World of Tanks v.0.9.15 #128");
    EXPECT_EQ(h.versionNumber, "0, 9, 15, 0");
    EXPECT_EQ(h.mapDisplayName, "Энск");
    EXPECT_EQ(h.gameplayID, "ctf");
    EXPECT_EQ(h.playerID, "5013371");
    EXPECT_EQ(h.dateTime, "24.12.2016 20:15:31");
    EXPECT_EQ(h.mapName, "06_ensk");
    EXPECT_EQ(h.playerName, "Recorder");
    EXPECT_EQ(h.playerVehicle, "usa-A32_M12");
    EXPECT_EQ(h.battleType, "1");
    EXPECT_EQ(h.clientVersion, 9150);

    // The vehicles are kept as JSON text that parses back to the same object.
    auto vehicles = ParseObject(h.vehiclesText);
    ASSERT_TRUE(vehicles.Ok());
    ASSERT_EQ(vehicles.object.MemberCount(), 1u);
    EXPECT_EQ(vehicles.object.Key(0), "18986845");
    EXPECT_EQ(ObjectAt(vehicles.object, 0).object.ValueText("vehicleType"), "usa:A32_M12");
}

TEST(ParseBattleHeader, ShortensCommonTestToCT) {
    const HeaderParse parse = ParseBattleHeader(
        test::SampleHeaderJson("0, 9, 2, 0", "World of Tanks v.0.9.2 Common Test #12"));
    ASSERT_TRUE(parse.ok);
    EXPECT_EQ(parse.header.versionText, "World of Tanks v.0.9.2 CT #12");
}

TEST(ParseBattleHeader, EveryKeyIsRequiredAndEarlierFieldsAreKept) {
    const std::vector<std::string> keys = {"clientVersionFromXml",
                                           "clientVersionFromExe",
                                           "mapDisplayName",
                                           "gameplayID",
                                           "playerID",
                                           "vehicles",
                                           "dateTime",
                                           "mapName",
                                           "playerName",
                                           "playerVehicle",
                                           "battleType"};
    for (const std::string& key : keys) {
        SCOPED_TRACE(key);
        const HeaderParse parse = ParseBattleHeader(HeaderWithout(key));
        EXPECT_FALSE(parse.ok);
        EXPECT_NE(parse.failure.find(key), std::string::npos) << parse.failure;
    }
    // The version title is already there when a later key is missing.
    const HeaderParse noPlayer = ParseBattleHeader(HeaderWithout("playerID"));
    EXPECT_EQ(noPlayer.header.versionText, "World of Tanks v.0.9.15 #128");
    EXPECT_EQ(noPlayer.header.gameplayID, "ctf");
    EXPECT_EQ(noPlayer.header.dateTime, "");
}

TEST(ParseBattleHeader, FailsOnTextsThatAreNoHeaderObject) {
    for (const char* text : {"", "\x12\x34", R"({"clientVersionFromXml": )", "[1, 2]", "17"}) {
        SCOPED_TRACE(text);
        const HeaderParse parse = ParseBattleHeader(text);
        EXPECT_FALSE(parse.ok);
        EXPECT_FALSE(parse.failure.empty());
    }
}

TEST(ParseBattleHeader, VersionTextWithALetterFailsTheParse) {
    const HeaderParse parse = ParseBattleHeader(test::SampleHeaderJson("0, 9, 1a, 0"));
    EXPECT_FALSE(parse.ok);
    EXPECT_EQ(parse.header.versionNumber, "0, 9, 1a, 0");
    EXPECT_NE(parse.failure.find("whole number"), std::string::npos);
}

struct VersionCase {
    const char* text;
    std::optional<int> number;
};

TEST(ClientVersionNumber, JoinsTheDigitsOfTheVersionText) {
    const std::vector<VersionCase> cases = {
        {"0, 9, 17, 1", 9171}, {"0, 9, 0, 0", 900},    {"0, 9, 8, 0", 980},
        {"0, 8, 11, 0", 811},  {"0, 8, 10, 0", 810},   {"0, 8, 9, 0", 890},
        {"0, 8, 6, 0", 860},   {"0, 9, 10, 0", 9100},  {"0.9.15.1", 9151},
        {"1.8.0.0", 1800},     {"0, 8, 11 0", 811},    {"0, 9, 1a, 0", std::nullopt},
        {"", std::nullopt},    {", . ", std::nullopt},
    };
    EXPECT_EQ(ClientVersionNumber("9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9"), std::nullopt);
    for (const VersionCase& c : cases)
        EXPECT_EQ(ClientVersionNumber(c.text), c.number) << c.text;
}

struct AcceptanceCase {
    int version;
    bool single;
    bool series;
    bool library;
};

TEST(IsVersionAccepted, EachAnalysisHasItsOwnRule) {
    const std::vector<AcceptanceCase> cases = {
        // version  single series library
        {700, false, false, true},  {810, false, false, true},  {811, true, true, true},
        {812, false, true, false},  {860, false, false, false}, {870, false, false, false},
        {880, false, false, false}, {890, false, false, false}, {899, false, true, false},
        {900, true, true, true},    {980, true, true, true},    {9100, true, true, true},
        {9171, true, true, true},   {1800, true, true, true},
    };
    for (const AcceptanceCase& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_EQ(IsVersionAccepted(c.version, Analysis::Single), c.single);
        EXPECT_EQ(IsVersionAccepted(c.version, Analysis::Series), c.series);
        EXPECT_EQ(IsVersionAccepted(c.version, Analysis::Library), c.library);
    }
}

}  // namespace
}  // namespace kordex
