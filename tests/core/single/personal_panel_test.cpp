#include "single/personal_panel.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "platform/kordex_error.h"
#include "replay/version_layout.h"
#include "support/comma_numeric_locale.h"

namespace kordex {
namespace {

const NumberFormat kComma{','};
const NumberFormat kPoint{'.'};

TEST(LifeTimeText, WholeMinutesAndSecondsOfLifeAndBattle) {
    EXPECT_EQ(LifeTimeText("125", "413.6"), "2м 5c / 6м 53c");
    EXPECT_EQ(LifeTimeText("413", "413"), "6м 53c / 6м 53c");
    EXPECT_EQ(LifeTimeText("0", "712.5999999999985"), "0м 0c / 11м 52c");
    for (auto [life, duration] :
         {std::pair{"abc", "400"}, {"125", ""}, {"125", "4x0"}, {"12.5", "400"}, {"", "400"}})
        EXPECT_FALSE(LifeTimeText(life, duration)) << life << " / " << duration;
}

TEST(MileageText, KilometresInGeneralFormWithTheLocaleSeparator) {
    EXPECT_EQ(MileageText("1234", kComma), "1,234 км");
    EXPECT_EQ(MileageText("1234", kPoint), "1.234 км");
    EXPECT_EQ(MileageText("3000", kComma), "3 км");
    EXPECT_EQ(MileageText("1", kComma), "0,001 км");
    EXPECT_EQ(MileageText("1230", kComma), "1,23 км");
    EXPECT_EQ(MileageText("0", kComma), "0 км");
    EXPECT_FALSE(MileageText("12.5", kComma));
    EXPECT_FALSE(MileageText("", kComma));
}

TEST(MileageText, TheProcessNumericLocaleDoesNotDecide) {
    test::CommaNumericLocale locale;
    KORDEX_REQUIRE_COMMA_LOCALE(locale);
    EXPECT_EQ(MileageText("1234", kPoint), "1.234 км");
    EXPECT_EQ(MileageText("1234", kComma), "1,234 км");
    EXPECT_EQ(MileageText("3000", kPoint), "3 км");
}

TEST(DailyXpFactor, TenthsRoundedHalfToEven) {
    struct Case {
        const char* tenths;
        int factor;
    };
    for (auto c : {Case{"10", 1}, Case{"20", 2}, Case{"50", 5}, Case{"14", 1}, Case{"16", 2},
                   Case{"15", 2}, Case{"25", 2}, Case{"35", 4}, Case{"0", 0}})
        EXPECT_EQ(DailyXpFactor(c.tenths), c.factor) << c.tenths;
    EXPECT_FALSE(DailyXpFactor("2.0"));
}

TEST(CostCreditsPart, TheCreditsOfACostPair) {
    EXPECT_EQ(CostCreditsPart("[1234,0]"), "1234");
    EXPECT_EQ(CostCreditsPart("[0,15]"), "0");
    EXPECT_EQ(CostCreditsPart("1234"), "");
    EXPECT_EQ(CostCreditsPart(""), "");
}

TEST(CreditBalance, ReadsBackTheShownTexts) {
    LabelStore labels;
    ZeroLables(labels);
    labels.Set("Label_credits", "30000");
    labels.Set("Label_autoRepairCost", "5000");
    labels.Set("Label_autoLoadCost", "4000");
    EXPECT_EQ(CreditBalance(labels), 21000);

    labels.Set("Label_creditsPenalty", "1000");
    labels.Set("Label_creditsContributionIn", "2500");
    labels.Set("Label_autoEquipCost", "3000");
    EXPECT_EQ(CreditBalance(labels), 19500);

    // Large sums do not wrap around.
    labels.Set("Label_credits", "2147483647");
    labels.Set("Label_creditsContributionIn", "2147483647");
    EXPECT_EQ(CreditBalance(labels), 2147483647LL * 2 - 1000 - 5000 - 4000 - 3000);

    labels.Set("Label_autoLoadCost", "");
    EXPECT_FALSE(CreditBalance(labels));
}

// The personal results of a 9.x battle, with the values the panel shows.
PersonalResults Personal(std::map<std::string, std::string> changes = {}) {
    // "key=value", separated by spaces.
    std::istringstream given(
        "spotted=3 damaged=4 kills=2 directHits=9 damageDealt=2150 capturePoints=12 "
        "damageReceived=350 damageBlockedByArmor=1200 credits=30000 directHitsReceived=5 "
        "droppedCapturePoints=7 xp=1200 shots=11 explosionHits=1 piercings=8 "
        "damageAssistedRadio=640 damageAssistedTrack=210 mileage=1234 lifeTime=125 isPremium=true "
        "dailyXPFactor10=20 freeXP=60 autoRepairCost=5000 autoLoadCost=[4000,0] "
        "autoEquipCost=[0,0] xpPenalty=0 creditsPenalty=0 creditsContributionIn=0 killerID=12345");
    std::map<std::string, std::string> values;
    for (std::string pair; given >> pair;)
        values[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
    for (auto& [key, value] : changes)
        values[key] = value;
    // The values stand in the order the results pass reads them.
    PersonalResults personal;
    for (auto key : PersonalKeyNames(false))
        personal.values.push_back({std::string(key), values[std::string(key)]});
    return personal;
}

CommonResults Common() {
    CommonResults common;
    common.arenaCreateTime = "1426344000";
    common.duration = "413.6";
    common.winnerTeam = "1";
    return common;
}

BattleHeader Header() {
    BattleHeader header;
    header.dateTime = "14.03.2015 17:40:00";
    return header;
}

TEST(FillPersonalPanel, ShowsTheRecordingPlayersResults) {
    LabelStore labels;
    ZeroLables(labels);
    FillPersonalPanel(Personal(), Common(), Header(), kComma, labels);

    const std::map<std::string, std::string> expected = {
        {"Label_shots", "11"},
        {"Label_hits", "9"},
        {"Label_he_hits", "1"},
        {"Label_pierced", "8"},
        {"Label_damageDealt", "2150"},
        {"Label_shotsReceived", "5"},
        {"Label_damageReceived", "350/1200"},
        {"Label_spotted", "3"},
        {"Label_damageAssistedRadio", "640"},
        {"Label_damageAssistedTrack", "210"},
        {"Label_damaged", "4"},
        {"Label_kills", "2"},
        {"Label_capturePoints", "12"},
        {"Label_droppedCapturePoints", "7"},
        {"Label_lifetime_duration", "2м 5c / 6м 53c"},
        {"Label_mileage", "1,234 км"},
        {"Label_killerID", "0"},
        {"Label_premium", "Да"},
        {"Label_xp", "1200 (x2)"},
        {"Label_xpPenalty", "0"},
        {"Label_freeXp", "60"},
        {"Label_credits", "30000"},
        {"Label_creditsPenalty", "0"},
        {"Label_creditsContributionIn", "0"},
        {"Label_autoRepairCost", "5000"},
        {"Label_autoLoadCost", "4000"},
        {"Label_autoEquipCost", "0"},
        {"Label_silverSumm", "21000"},
        {"Label_arenaCreateTime", "1426344000"},
        {"Label_heroVehicleIDs", "0"},
        {"Label_arenaTypeID", "0"},
        {"Label_achieveIndices", "0"},
        {"Label_Time", "14.03.2015 17:40:00"},
    };
    for (const auto& [label, text] : expected)
        EXPECT_EQ(labels.Text(label), text) << label;
}

TEST(FillPersonalPanel, NoPremiumAndASingleFactorShowPlainValues) {
    LabelStore labels;
    ZeroLables(labels);
    FillPersonalPanel(Personal({{"isPremium", "false"}, {"dailyXPFactor10", "10"}}), Common(),
                      Header(), kPoint, labels);
    EXPECT_EQ(labels.Text("Label_premium"), "Нет");
    EXPECT_EQ(labels.Text("Label_xp"), "1200");
    EXPECT_EQ(labels.Text("Label_mileage"), "1.234 км");
}

TEST(FillPersonalPanel, AConversionFailureStopsAtItsLabel) {
    struct Case {
        const char* key;
        const char* text;
        const char* lastSet;    // the label set just before the failure
        const char* firstZero;  // the failing label, still at its zero
    };
    const Case cases[] = {
        {"mileage", "12.5", "Label_damageAssistedTrack", "Label_mileage"},
        {"lifeTime", "x", "Label_mileage", "Label_lifetime_duration"},
        {"dailyXPFactor10", "", "Label_premium", "Label_freeXp"},
        // A cost that is no pair shows empty, and the balance cannot read it back.
        {"autoLoadCost", "4000", "Label_autoRepairCost", "Label_silverSumm"},
        {"credits", "3e4", "Label_autoRepairCost", "Label_silverSumm"},
    };
    for (const auto& c : cases) {
        LabelStore labels;
        ZeroLables(labels);
        EXPECT_THROW(
            FillPersonalPanel(Personal({{c.key, c.text}}), Common(), Header(), kComma, labels),
            KordexError)
            << c.key;
        EXPECT_NE(labels.Text(c.lastSet), "0") << c.key;
        EXPECT_EQ(labels.Text(c.firstZero), "0") << c.key;
        EXPECT_EQ(labels.Text("Label_silverSumm"), "0") << c.key;
    }
}

TEST(KillerText, NamesTheVehicleOfTheKillersIdOrNothing) {
    VehicleTable vehicles{};
    vehicles[3][vehicle_field::Id] = "4712";
    vehicles[3][vehicle_field::Name] = "Shooter";
    vehicles[3][vehicle_field::Type] = "Т-34";
    vehicles[5][vehicle_field::Id] = "4713";
    vehicles[5][vehicle_field::Name] = "NoType";
    vehicles[7][vehicle_field::Id] = "4714";  // an id without a player
    EXPECT_EQ(KillerText(vehicles, "4712"), "Shooter (Т-34)");
    EXPECT_EQ(KillerText(vehicles, "4713"), "NoType");
    for (const char* id : {"0", "", "999", "4714"})
        EXPECT_EQ(KillerText(vehicles, id), "") << id;
}

}  // namespace
}  // namespace kordex
