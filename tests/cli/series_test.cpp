#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "export/workbook_export.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/cli_run.h"
#include "support/file_bytes.h"
#include "support/replay_fixture.h"
#include "support/shared_series.h"
#include "support/tab_fields.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

namespace fs = std::filesystem;

using SeriesCliRun = test::CliRun;
using test::DumpSection;

// Runs kordex-cli series with the given environment assignments ("LC_ALL=…", or none) and
// arguments, the locale variables of the test's own environment removed.
SeriesCliRun RunSeriesCli(const std::string& environment, const std::vector<std::string>& args) {
    test::EnvironmentChange change{{"LC_ALL", "LC_NUMERIC", "LANG"}, {}};
    std::istringstream assignments(environment);
    for (std::string assignment; assignments >> assignment;)
        change.assign.push_back(assignment);
    std::vector<std::string> command = {"series"};
    command.insert(command.end(), args.begin(), args.end());
    return test::RunProgram(KORDEX_CLI, command, change);
}

std::vector<std::string> SectionNames(const std::string& output) {
    std::vector<std::string> names;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("## ", 0) == 0)
            names.push_back(line.substr(3));
    return names;
}

class SeriesCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        test::BattleFixture won(14);
        won.SetDateTime("27.05.2017 21:04:33");
        Write("a.wotreplay", won);
        test::BattleFixture lost(14);
        lost.SetDateTime("27.05.2017 21:30:00").SetWinnerTeam("2");
        lost.Vehicle(0).xp = "301";
        Write("b.wotreplay", lost);
        test::WriteLeftEarlyReplay(folder.File("c.wotreplay"), won);
    }
    void Write(const std::string& name, const test::BattleFixture& battle) {
        test::WriteBattleReplay(folder.File(name), battle);
    }
    std::vector<std::string> Files() const {
        return {folder.File("c.wotreplay"), folder.File("a.wotreplay"), folder.File("b.wotreplay")};
    }

    test::TempFolder folder;
};

TEST_F(SeriesCommand, PrintsTablesLabelsCountsAndEvents) {
    std::vector<std::string> args{"--additional"};
    for (const std::string& file : Files())
        args.push_back(file);
    const SeriesCliRun run = RunSeriesCli("LC_ALL=ru_RU.UTF-8", args);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(SectionNames(run.output),
              (std::vector<std::string>{"SeriesGridExp", "SeriesGridFrags", "SeriesGridDamage",
                                        "SeriesGridSupport", "SeriesGridShots", "SeriesGridSummary",
                                        "Additional", "Counts", "Replays", "Status", "Events"}));

    const auto exp = DumpSection(run.output, "SeriesGridExp");
    ASSERT_EQ(exp.size(), 3u + 7u);
    // Battles in the order of their file names: a, b, then the one left early.
    EXPECT_EQ(exp[2],
              "Ник\\\\Опыт\tТехника\tПобеда\tПоражение\tВышел\tБоев: 2, побед: 1\t1/0/1  50%");
    EXPECT_EQ(exp[3], "Player01\tТ-34\t300;-1;false\t301;-1;false\t\t601\t300,50");

    const auto additional = DumpSection(run.output, "Additional");
    ASSERT_EQ(additional.size(), 33u);
    EXPECT_EQ(additional[0], "Label_m_battles\t1/2  (50%)");
    EXPECT_NE(std::find(additional.begin(), additional.end(), "Label_m_wins\t1"), additional.end());

    const auto counts = DumpSection(run.output, "Counts");
    EXPECT_EQ(counts[0], "replays\t3");
    EXPECT_EQ(counts[1], "battles\t2");
    const auto replays = DumpSection(run.output, "Replays");
    ASSERT_EQ(replays.size(), 3u);
    EXPECT_EQ(replays[2], folder.File("c.wotreplay") +
                              "\tВышел\tstays, not moved into _Недосмотренные (moving is off)");
    EXPECT_TRUE(DumpSection(run.output, "Events").empty());
    // A command-line run moves nothing unless asked.
    EXPECT_TRUE(fs::exists(test::PathOf(folder.File("c.wotreplay"))));
}

TEST_F(SeriesCommand, WritesNumbersWithTheLocaleOrTheGivenSeparator) {
    struct Case {
        std::string environment;
        std::vector<std::string> flags;
        std::string average;
    };
    const Case cases[] = {
        {"LC_ALL=ru_RU.UTF-8", {}, "300,50"},
        {"LANG=ru_RU.UTF-8", {}, "300,50"},
        {"LC_NUMERIC=ru_RU.UTF-8 LANG=en_US.UTF-8", {}, "300,50"},
        {"LC_ALL=C LANG=ru_RU.UTF-8", {}, "300.50"},
        {"", {}, "300.50"},
        {"LC_ALL=ru_RU.UTF-8", {"--decimal-separator", "."}, "300.50"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.flags;
        args.push_back(folder.File("a.wotreplay"));
        args.push_back(folder.File("b.wotreplay"));
        const SeriesCliRun run = RunSeriesCli(c.environment, args);
        ASSERT_EQ(run.status, 0) << c.environment;
        const auto exp = DumpSection(run.output, "SeriesGridExp");
        ASSERT_GE(exp.size(), 4u);
        EXPECT_EQ(exp[3].substr(exp[3].rfind('\t') + 1), c.average) << c.environment;
    }
}

TEST_F(SeriesCommand, MovesUnusableReplaysOnlyWhenAsked) {
    const SeriesCliRun run = RunSeriesCli(
        "", {"--move-unusable", folder.File("a.wotreplay"), folder.File("c.wotreplay")});
    ASSERT_EQ(run.status, 0);
    EXPECT_FALSE(fs::exists(test::PathOf(folder.File("c.wotreplay"))));
    EXPECT_TRUE(fs::exists(test::PathOf(folder.Path() + "/_Недосмотренные/c.wotreplay")));
    EXPECT_TRUE(fs::exists(test::PathOf(folder.File("a.wotreplay"))));
    EXPECT_EQ(DumpSection(run.output, "Counts")[7], "moved\t1");
}

TEST_F(SeriesCommand, RefusesWrongUsageAndExportsItCannotWrite) {
    EXPECT_EQ(RunSeriesCli("", {}).status, 2);
    EXPECT_EQ(RunSeriesCli("", {"--bogus", folder.File("a.wotreplay")}).status, 2);
    EXPECT_EQ(RunSeriesCli("", {"--decimal-separator", "ab", folder.File("a.wotreplay")}).status,
              2);
    EXPECT_EQ(RunSeriesCli("", {folder.File("a.wotreplay"), "--html"}).status, 2);
}

TEST_F(SeriesCommand, WritesThePageTheWorkbookAndTheBattleLog) {
    const std::string page = folder.File("out.htm");
    const std::string workbook = folder.File("out.xlsx");
    const std::string log = folder.File("log.htm");
    // Without libxlsxwriter (the Windows cross-build) the workbook is left out of the run.
    std::vector<std::string> args = {
        "--html", page, "--log", log, folder.File("a.wotreplay"), folder.File("c.wotreplay")};
    std::vector<std::string> files = {page, log};
    if (kWorkbookBuilt) {
        args.insert(args.begin(), {"--xlsx", workbook});
        files.push_back(workbook);
    }
    const SeriesCliRun run = RunSeriesCli("", args);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(DumpSection(run.output, "Events").empty());
    // The tables are printed as the run left them, before an export empties the sort hint.
    EXPECT_EQ(DumpSection(run.output, "SeriesGridExp")[1],
              "Карта\t\tEnsk\t06_ensk09171\tНажать для сортировки\t");
    // The run says where each file went.
    const auto written = DumpSection(run.output, "Files");
    EXPECT_NE(std::find(written.begin(), written.end(), "html\t" + page), written.end());
    EXPECT_NE(std::find(written.begin(), written.end(), "log\t" + log), written.end());
    EXPECT_EQ(written.size(), files.size());
    for (const std::string& file : files)
        EXPECT_GT(fs::file_size(test::PathOf(file)), 0u) << file;
    const std::string bytes = test::ReadFileBytes(log);
    EXPECT_NE(bytes.find("<html>"), std::string::npos);
    EXPECT_NE(bytes.find("Player01"), std::string::npos);
    EXPECT_NE(bytes.find("</html>"), std::string::npos);
}

// One real replay sent twice under two names: the totals, averages and summary are those of the
// series without the copy, and the copy's column reads "Повтор".
TEST(SeriesCommandRealReplays, AReplayPresentTwiceIsCountedOnce) {
    KORDEX_REQUIRE_SHARED_REPLAYS();
    test::TempFolder folder;
    std::vector<std::string> paths = test::CopySharedSeries(folder.Path(), 10);
    ASSERT_GE(paths.size(), 5u);
    const SeriesCliRun once = RunSeriesCli("LC_ALL=ru_RU.UTF-8", paths);
    ASSERT_EQ(once.status, 0) << once.output;
    // The first replay that is a battle, copied under a name that sorts last.
    const auto replays = DumpSection(once.output, "Replays");
    std::size_t original = 0;
    while (original < replays.size() && replays[original].find("\tПобеда\t") == std::string::npos &&
           replays[original].find("\tПоражение\t") == std::string::npos &&
           replays[original].find("\tНичья\t") == std::string::npos)
        ++original;
    ASSERT_LT(original, replays.size());
    fs::copy_file(test::PathOf(paths[original]), test::PathOf(folder.File("99 copy.wotreplay")));
    paths.push_back(folder.File("99 copy.wotreplay"));
    const SeriesCliRun twice = RunSeriesCli("LC_ALL=ru_RU.UTF-8", paths);
    ASSERT_EQ(twice.status, 0) << twice.output;

    EXPECT_EQ(DumpSection(twice.output, "SeriesGridSummary"),
              DumpSection(once.output, "SeriesGridSummary"));
    EXPECT_EQ(DumpSection(twice.output, "Additional"), DumpSection(once.output, "Additional"));
    // Every row of every table: the battle cells of the copy empty, the last two columns equal.
    for (const char* grid : {"SeriesGridExp", "SeriesGridFrags", "SeriesGridDamage",
                             "SeriesGridSupport", "SeriesGridShots"}) {
        const auto a = DumpSection(once.output, grid), b = DumpSection(twice.output, grid);
        ASSERT_EQ(a.size(), b.size()) << grid;
        for (std::size_t row = 0; row < a.size(); ++row) {
            auto cellsA = test::TabFields(a[row]), cellsB = test::TabFields(b[row]);
            // Names, vehicles, the battles, totals and averages; the copy's column stands last
            // of the battles. (A line drops its empty cells at the end.)
            cellsA.resize(paths.size() + 3);
            cellsB.resize(paths.size() + 4);
            const std::string copyCell = cellsB[paths.size() + 1];
            cellsB.erase(cellsB.begin() + static_cast<long>(paths.size()) + 1);
            EXPECT_EQ(cellsA, cellsB) << grid << " row " << row;
            if (row == 2) {
                EXPECT_EQ(copyCell, "Повтор") << grid;
            } else if (row > 2) {
                EXPECT_EQ(copyCell, "") << grid << " row " << row;
            }
        }
    }
    EXPECT_EQ(DumpSection(twice.output, "Replays")
                  .back()
                  .rfind(folder.File("99 copy.wotreplay") + "\tПовтор\tstays: ", 0),
              0u);
    const auto status = DumpSection(twice.output, "Status");
    ASSERT_EQ(status.size(), 1u);
    EXPECT_NE(status[0].find(" сек. Пропущено повторов: 1"), std::string::npos) << status[0];
    const auto counts = DumpSection(twice.output, "Counts");
    EXPECT_NE(std::find(counts.begin(), counts.end(), "repeats\t1"), counts.end());
}

TEST_F(SeriesCommand, AnExportThatCannotBeWrittenIsAnError) {
    const SeriesCliRun run = RunSeriesCli(
        "", {"--html", folder.Path() + "/no/such/folder/out.htm", folder.File("a.wotreplay")});
    EXPECT_EQ(run.status, 1);
    const auto events = DumpSection(run.output, "Events");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].rfind("error ", 0), 0u);
}

}  // namespace
}  // namespace kordex
