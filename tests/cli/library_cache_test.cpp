#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/battle_replay.h"
#include "support/cli_run.h"
#include "support/test_paths.h"

namespace kordex::test {
namespace {

namespace fs = std::filesystem;

void SetVariable(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

// kordex-cli keeps its row cache under XDG_CACHE_HOME; a test points it into its own folder.
class CacheHome {
  public:
    explicit CacheHome(const std::string& folder) {
        const char* old = std::getenv("XDG_CACHE_HOME");
        had_ = old != nullptr;
        old_ = old ? old : "";
        SetVariable("XDG_CACHE_HOME", folder);
    }
    ~CacheHome() { SetVariable("XDG_CACHE_HOME", had_ ? old_ : std::string()); }

  private:
    bool had_ = false;
    std::string old_;
};

BattleFixture Battle(const std::string& xp) {
    BattleFixture battle(6, "0, 9, 15, 0");
    battle.SetPersonal("xp", xp);
    return battle;
}

TEST(CliLibrary, TheSecondRunComesFromTheCacheAndPrintsTheSameBytes) {
    TempFolder folder;
    const std::string replays = folder.File("replays");
    fs::create_directories(replays + "/[Избранное]");
    for (int i = 0; i < 30; ++i)
        WriteBattleReplay(replays + "/r" + std::to_string(10 + i) + ".wotreplay", Battle("100"));
    WriteBattleReplay(replays + "/[Избранное]/f.wotreplay", Battle("100"));
    CacheHome home(folder.File("cache"));

    const CliRun first = RunProgram(KORDEX_CLI, {"library", replays});
    ASSERT_EQ(first.status, 0);
    EXPECT_TRUE(fs::exists(folder.File("cache/Kordex/library-rows.cache")));
    // A file changed behind the cache's back (same size, same time): only a run that reads
    // it would show the change.
    const std::string changed = replays + "/r10.wotreplay";
    const auto time = fs::last_write_time(changed);
    WriteBattleReplay(changed, Battle("999"));
    fs::last_write_time(changed, time);

    const CliRun second = RunProgram(KORDEX_CLI, {"library", replays});
    ASSERT_EQ(second.status, 0);
    EXPECT_EQ(second.output, first.output);
    const CliRun read = RunProgram(KORDEX_CLI, {"library", "--no-cache", replays});
    EXPECT_NE(read.output, first.output);
    EXPECT_NE(read.output.find("\t999\t"), std::string::npos);
    EXPECT_EQ(DumpSection(first.output, "sg_AllReplays").size(), 31u);
}

}  // namespace
}  // namespace kordex::test
