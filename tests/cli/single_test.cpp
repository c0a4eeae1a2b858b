#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/battle_fixture.h"
#include "support/replay_fixture.h"
#include "support/test_paths.h"

namespace {

using kordex::test::BattleFixture;

struct Dump {
    int status = -1;
    // Section name to its lines.
    std::map<std::string, std::vector<std::string>> sections;
};

// Runs kordex-cli single under the C locale, so that the decimal separator is a point.
Dump RunSingle(const std::string& replay) {
    const std::string command =
        "LC_ALL=C '" + std::string(KORDEX_CLI) + "' single '" + replay + "'";
    Dump dump;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return dump;
    std::string output;
    char buffer[4096];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    int raw = pclose(pipe);
    dump.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;

    std::istringstream lines(output);
    std::string line;
    std::string section;
    while (std::getline(lines, line)) {
        if (line.rfind("## ", 0) == 0) {
            section = line.substr(3);
            dump.sections[section];
        } else {
            dump.sections[section].push_back(line);
        }
    }
    return dump;
}

std::map<std::string, std::string> Records(const std::vector<std::string>& lines) {
    std::map<std::string, std::string> records;
    for (const auto& line : lines) {
        auto tab = line.find('\t');
        records[line.substr(0, tab)] = tab == std::string::npos ? "" : line.substr(tab + 1);
    }
    return records;
}

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        cells.push_back(line.substr(start, tab - start));
    cells.push_back(line.substr(start));
    return cells;
}

std::string WriteBattle(const kordex::test::TempFolder& folder, const BattleFixture& battle) {
    const auto texts = battle.Texts();
    kordex::test::ReplayFixture replay;
    replay.header = texts.header;
    replay.results = texts.results;
    replay.vehicles = texts.vehicles;
    replay.frags = texts.frags;
    const std::string path = folder.File("battle.wotreplay");
    kordex::test::WriteReplayFile(path, replay);
    return path;
}

TEST(CliSingle, DumpsLabelsTablesPanelAndNoEventsForAFinishedBattle) {
    kordex::test::TempFolder folder;
    BattleFixture battle(30);
    battle.SetMap("02_malinovka", "Малиновка").SetWinnerTeam("0");
    battle.Vehicle(3).platoonId = "7050091";
    battle.Vehicle(6).platoonId = "7050091";
    const Dump dump = RunSingle(WriteBattle(folder, battle));

    EXPECT_EQ(dump.status, 0);
    auto labels = Records(dump.sections.at("Labels"));
    EXPECT_EQ(labels.size(), 5u);
    EXPECT_EQ(labels["Label_Map"], "Малиновка, обычный");
    EXPECT_EQ(labels["Label_isWinner"], "Ничья");
    EXPECT_EQ(labels["lb_battleType"], "случайный");
    EXPECT_EQ(labels["Label_Time"], "28.03.2017 16:43:13");
    EXPECT_EQ(labels["Label_replayVersionXml"], "World of Tanks v.0.9.17.1 #388");

    for (const char* name : {"AlliesGrid", "EnemiesGrid"}) {
        const auto& rows = dump.sections.at(name);
        ASSERT_EQ(rows.size(), 16u) << name;
        for (const auto& row : rows)
            EXPECT_EQ(Cells(row).size(), 12u) << name;
        EXPECT_EQ(Cells(rows[0])[6], "Опыт");
        // Sorted by experience, markers kept, hidden ids present.
        const auto best = Cells(rows[1]);
        EXPECT_EQ(best[6].substr(best[6].find(';')), ";+1") << name;
        EXPECT_FALSE(best[11].empty()) << name;
    }
    // The two platoon members of the allies, numbered 1.
    int platoonOne = 0;
    for (const auto& row : dump.sections.at("AlliesGrid"))
        platoonOne += Cells(row)[0] == "1";
    EXPECT_EQ(platoonOne, 2);

    auto personal = Records(dump.sections.at("Personal"));
    EXPECT_EQ(personal.size(), 32u);
    EXPECT_EQ(personal["Label_mileage"], "0.935 км");
    EXPECT_EQ(personal["Label_lifetime_duration"], "6м 38c / 6м 38c");
    EXPECT_EQ(personal["Label_silverSumm"], std::to_string(14920 - 1520 - 1234));
    EXPECT_EQ(personal["Label_killerID"], "0");
    EXPECT_EQ(personal["Label_arenaCreateTime"], "1490712189");
    EXPECT_TRUE(dump.sections.at("Events").empty());
}

TEST(CliSingle, RecordsWhatTheUserWouldHaveSeenAndFailsTheStatus) {
    kordex::test::TempFolder folder;
    {
        // Where the window would ask for a file, the CLI records the dialog as cancelled.
        const Dump dump = RunSingle(folder.File("absent.wotreplay"));
        EXPECT_EQ(dump.status, 1);
        EXPECT_EQ(dump.sections.at("Events"), (std::vector<std::string>{"dialog", "beep 400 200"}));
        EXPECT_EQ(dump.sections.at("AlliesGrid").size(), 16u);
    }
    {
        const Dump dump = RunSingle(WriteBattle(folder, BattleFixture(30, "0, 8, 10, 0")));
        EXPECT_EQ(dump.status, 1);
        ASSERT_EQ(dump.sections.at("Events").size(), 1u);
        EXPECT_EQ(dump.sections.at("Events")[0].rfind("message Реплеи WoT версий 0.8.10", 0), 0u);
        EXPECT_EQ(Records(dump.sections.at("Labels"))["Label_replayVersionXml"],
                  "World of Tanks v.0, 8, 10, 0 #388");
    }
    {
        BattleFixture broken(30);
        broken.SetPersonal("mileage", "\"far\"");
        const Dump dump = RunSingle(WriteBattle(folder, broken));
        EXPECT_EQ(dump.status, 1);
        ASSERT_EQ(dump.sections.at("Events").size(), 1u);
        EXPECT_EQ(dump.sections.at("Events")[0].rfind("error ", 0), 0u);
        // What was filled before the failure stays: the tables, the panel up to the mileage.
        EXPECT_FALSE(Cells(dump.sections.at("AlliesGrid")[1])[1].empty());
        EXPECT_EQ(Records(dump.sections.at("Personal"))["Label_mileage"], "0");
        EXPECT_EQ(Records(dump.sections.at("Personal"))["Label_spotted"], "2");
    }
}

TEST(CliSingle, WrongUsageIsStatusTwo) {
    const std::string command = "'" + std::string(KORDEX_CLI) + "' single 2>/dev/null";
    int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 2);
}

}  // namespace
