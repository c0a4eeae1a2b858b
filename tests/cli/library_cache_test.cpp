#include <gtest/gtest.h>

#include <filesystem>

#include "support/battle_replay.h"
#include "support/cli_run.h"
#include "support/test_paths.h"

namespace kordex::test {
namespace {

namespace fs = std::filesystem;

// kordex-cli keeps its row cache in the user's cache folder; a test points that folder into
// its own, under a Cyrillic name that the ANSI code page would lose.
struct CachePlace {
    EnvironmentChange environment;
    std::string file;  // where the row cache lands
};

CachePlace CacheUnder(const std::string& folder) {
#ifdef _WIN32
    return {{{}, {"LOCALAPPDATA=" + folder}}, folder + "/Kordex/cache/library-rows.cache"};
#else
    return {{{}, {"XDG_CACHE_HOME=" + folder}}, folder + "/Kordex/library-rows.cache"};
#endif
}

BattleFixture Battle(const std::string& xp) {
    BattleFixture battle(6, "0, 9, 15, 0");
    battle.SetPersonal("xp", xp);
    return battle;
}

TEST(CliLibrary, TheSecondRunComesFromTheCacheAndPrintsTheSameBytes) {
    TempFolder folder;
    const std::string replays = folder.File("replays");
    fs::create_directories(test::PathOf(replays + "/[Избранное]"));
    for (int i = 0; i < 30; ++i)
        WriteBattleReplay(replays + "/r" + std::to_string(10 + i) + ".wotreplay", Battle("100"));
    WriteBattleReplay(replays + "/[Избранное]/f.wotreplay", Battle("100"));
    const CachePlace cache = CacheUnder(folder.File("кэш пользователя"));

    const CliRun first = RunProgram(KORDEX_CLI, {"library", replays}, cache.environment);
    ASSERT_EQ(first.status, 0);
    EXPECT_TRUE(fs::exists(test::PathOf(cache.file)));
    // A file changed behind the cache's back (same size, same time): only a run that reads
    // it would show the change.
    const std::string changed = replays + "/r10.wotreplay";
    const auto time = fs::last_write_time(test::PathOf(changed));
    WriteBattleReplay(changed, Battle("999"));
    fs::last_write_time(test::PathOf(changed), time);

    const auto written = fs::last_write_time(test::PathOf(cache.file));
    const CliRun second = RunProgram(KORDEX_CLI, {"library", replays}, cache.environment);
    ASSERT_EQ(second.status, 0);
    EXPECT_EQ(second.output, first.output);
    // Every row came from the cache: its file is left as it was.
    EXPECT_EQ(fs::last_write_time(test::PathOf(cache.file)), written);
    const CliRun read =
        RunProgram(KORDEX_CLI, {"library", "--no-cache", replays}, cache.environment);
    EXPECT_NE(read.output, first.output);
    EXPECT_NE(read.output.find("\t999\t"), std::string::npos);
    EXPECT_EQ(DumpSection(first.output, "sg_AllReplays").size(), 31u);
}

}  // namespace
}  // namespace kordex::test
