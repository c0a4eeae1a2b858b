#include "support/battle_fixture.h"

#include <gtest/gtest.h>

#include "replay/json.h"

namespace kordex {
namespace {

using test::BattleFixture;

// The fixture is the base of many suites: its texts must be what the parsers expect.
TEST(BattleFixture, WritesFourObjectsWithOneMemberPerVehicle) {
    BattleFixture battle(30);
    auto texts = battle.Texts();
    for (const auto* text : {&texts.header, &texts.results, &texts.vehicles, &texts.frags})
        ASSERT_TRUE(ParseObject(*text).Ok()) << *text;
    EXPECT_EQ(ParseObject(texts.vehicles).object.MemberCount(), 30u);
    EXPECT_EQ(ParseObject(texts.frags).object.MemberCount(), 30u);
    EXPECT_EQ(ParseObject(battle.HeaderVehiclesJson()).object.MemberCount(), 30u);
    auto array = battle.BattleResultsArrayJson();
    EXPECT_EQ(array.front(), '[');
    EXPECT_EQ(array.back(), ']');
}

TEST(BattleFixture, LayoutFollowsTheClientVersion) {
    struct Case {
        const char* version;
        int number;
        bool wrapped;
        const char* hitsKey;
    };
    for (const Case& c :
         {Case{"0, 8, 11, 0", 811, false, "hits"}, Case{"0, 9, 7, 0", 970, false, "directHits"},
          Case{"0, 9, 8, 0", 980, true, "directHits"},
          Case{"0.9.17.1", 9171, true, "directHits"}}) {
        BattleFixture battle(4, c.version);
        EXPECT_EQ(battle.LayoutVersion(), c.number) << c.version;
        auto results = ParseObject(battle.ResultsJson());
        ASSERT_TRUE(results.Ok()) << c.version;
        auto vehicle = ParseObject(*ParseObject(*results.object.MemberText("vehicles"))
                                        .object.MemberText(battle.Vehicle(0).vehicleId));
        EXPECT_EQ(vehicle.status, c.wrapped ? JsonStatus::NotObject : JsonStatus::Ok) << c.version;
        auto personal = ParseObject(*results.object.MemberText("personal"));
        EXPECT_EQ(personal.object.Has("team"), !c.wrapped) << c.version;
        auto names = battle.PersonalKeyNames();
        EXPECT_NE(std::find(names.begin(), names.end(), c.hitsKey), names.end()) << c.version;
    }
}

TEST(BattleFixture, NamesBeyondAsciiAreWrittenAsEscapes) {
    BattleFixture battle(2);
    battle.Vehicle(1).name = "Малиновка{\"}";
    auto text = battle.VehiclesJson();
    EXPECT_NE(text.find("\\u041c"), std::string::npos);
    auto parsed = ParseObject(text);
    ASSERT_TRUE(parsed.Ok());
    auto second = ObjectAt(parsed.object, 1);
    EXPECT_EQ(second.object.ValueText("name"), "Малиновка{\\}");
}

}  // namespace
}  // namespace kordex
