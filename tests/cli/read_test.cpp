#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "replay/json.h"
#include "support/battle_replay.h"
#include "support/cli_run.h"
#include "support/replace_all.h"
#include "support/replay_fixture.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

test::CliRun RunCli(const std::vector<std::string>& args) {
    return test::RunProgram(KORDEX_CLI, args);
}

std::string VehiclesTextLength(const std::string& header) {
    return std::to_string(ParseObject(header).object.MemberText("vehicles").value_or("").size());
}

class ReadCommandTest : public ::testing::Test {
  protected:
    std::string Write(const test::ReplayFixture& fixture) {
        const std::string path = folder_.File("battle.wotreplay");
        test::WriteReplayFile(path, fixture);
        return path;
    }

    test::TempFolder folder_;
};

TEST_F(ReadCommandTest, PrintsBlocksHeaderAndAcceptanceOfAFinishedBattle) {
    const test::ReplayFixture fixture = test::FinishedBattle(test::SampleHeaderJson("0, 8, 11, 0"));
    const test::CliRun run = RunCli({"read", Write(fixture)});
    // The sample results hold little more than the key words, so the results pass fails
    // after the acceptance has been printed.
    EXPECT_EQ(run.status, 1);
    std::string expected =
        "## Blocks\n"
        "HeaderBlock\t{header}\n"
        "ResultsBlock\t{results}\n"
        "VehiclesBlock\t{vehicles}\n"
        "FragsBlock\t{frags}\n"
        "## BattleHeader\n"
        "versionText\tWorld of Tanks v.0.9.15 #128\n"
        "versionNumber\t0, 8, 11, 0\n"
        "mapDisplayName\tЭнск\n"
        "gameplayID\tctf\n"
        "playerID\t5013371\n"
        "vehicles\t{vehiclesText}\n"
        "dateTime\t24.12.2016 20:15:31\n"
        "mapName\t06_ensk\n"
        "playerName\tRecorder\n"
        "playerVehicle\tusa-A32_M12\n"
        "battleType\t1\n"
        "ClientVersionNumber\t811\n"
        "## Acceptance\n"
        "single\tyes\n"
        "series\tyes\n"
        "library\tyes\n"
        "IsBattleComplete\tyes\n";
    // The block sizes and the length of the header's vehicles text.
    for (const auto& [field, value] : {std::pair{"{header}", std::to_string(fixture.header.size())},
                                       {"{results}", std::to_string(fixture.results.size())},
                                       {"{vehicles}", std::to_string(fixture.vehicles.size())},
                                       {"{frags}", std::to_string(fixture.frags.size())},
                                       {"{vehiclesText}", VehiclesTextLength(fixture.header)}})
        expected = test::ReplaceAll(expected, field, value);
    EXPECT_EQ(run.output.substr(0, expected.size()), expected);
}

TEST_F(ReadCommandTest, BattleLeftEarlyIsReadButNotComplete) {
    test::ReplayFixture fixture;
    fixture.header = test::SampleHeaderJson("0, 8, 6, 0");
    const test::CliRun run = RunCli({"read", "--variant", "single", Write(fixture)});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("single\tno\nseries\tno\nlibrary\tno\nIsBattleComplete\tno\n"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find("## Failure"), std::string::npos);
}

TEST_F(ReadCommandTest, CellTextsAreEscaped) {
    std::string header = test::SampleHeaderJson();
    const std::string name = R"("playerName": "Recorder")";
    header.replace(header.find(name), name.size(), R"("playerName": "Tab\there\\")");
    test::ReplayFixture fixture = test::FinishedBattle(header);
    const test::CliRun run = RunCli({"read", Write(fixture)});
    EXPECT_NE(run.output.find("playerName\tTab\\there\\\\\n"), std::string::npos) << run.output;
}

TEST_F(ReadCommandTest, AFailedStepEndsWithAFailureSectionAndStatus1) {
    // The header is on the third line, which the single variant does not reach.
    test::ReplayFixture fixture = test::FinishedBattle();
    fixture.binaryStart = std::string("\x12\n\x34\x11\x02\n\0\0\xf7\x1c\0\0", 12);
    const std::string path = Write(fixture);

    const test::CliRun single = RunCli({"read", "--variant", "single", path});
    EXPECT_EQ(single.status, 1);
    EXPECT_NE(single.output.find("## Failure\nstep\tParseBattleHeader\n"), std::string::npos)
        << single.output;
    EXPECT_EQ(RunCli({"read", "--variant", "list", path}).output.find("step\tParseBattleHeader"),
              std::string::npos);

    const test::CliRun missing = RunCli({"read", folder_.File("missing.wotreplay")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output.rfind("## Failure\nstep\tReadReplayBlocks\n", 0), 0u)
        << missing.output;
}

TEST(ReadCommand, WrongUsageIsStatus2) {
    const std::vector<std::vector<std::string>> usages = {
        {"read"},
        {"read", "--variant"},
        {"read", "--variant", "both", "a.wotreplay"},
        {"read", "a.wotreplay", "b.wotreplay"},
        {"read", "--unknown", "a.wotreplay"},
    };
    for (const auto& args : usages)
        EXPECT_EQ(RunCli(args).status, 2) << args.size();
}

TEST_F(ReadCommandTest, PrintsTheBattleTablesOfACompleteBattle) {
    test::BattleFixture battle(6, "0, 9, 17, 1");
    battle.Vehicle(2).name = "Tab\tName";
    const test::CliRun run = RunCli({"read", Write(test::ReplayOf(battle))});
    ASSERT_EQ(run.status, 0) << run.output;
    const auto vehicles = test::DumpSection(run.output, "VehicleTable");
    ASSERT_EQ(vehicles.size(), 30u);
    EXPECT_NE(vehicles[2].find("Tab\\tName"), std::string::npos) << vehicles[2];
    EXPECT_EQ(vehicles[29], std::string(20, '\t'));
    EXPECT_EQ(test::DumpSection(run.output, "PlayersTable").size(), 30u);
    const auto common = test::DumpSection(run.output, "CommonResults");
    ASSERT_EQ(common.size(), 5u);
    EXPECT_TRUE(common[3].starts_with("winnerTeam\t"));
    EXPECT_FALSE(test::DumpSection(run.output, "PersonalResults").empty());
}

TEST_F(ReadCommandTest, NamesThePassThatFailed) {
    test::BattleFixture battle(6, "0, 9, 15, 0");
    battle.OmitCommonKey("duration");
    const test::CliRun run = RunCli({"read", Write(test::ReplayOf(battle))});
    EXPECT_EQ(run.status, 1);
    const auto failure = test::DumpSection(run.output, "Failure");
    ASSERT_FALSE(failure.empty());
    EXPECT_EQ(failure[0], "step\tresults pass");
}

}  // namespace
}  // namespace kordex
