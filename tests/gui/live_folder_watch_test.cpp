#include "pages/live_folder_watch.h"

#include <gtest/gtest.h>
#include <QTest>
#include <filesystem>

#include "library/library_scan.h"
#include "platform/headless_desktop.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/test_paths.h"
#include "text/ini_file.h"

namespace kordex {
namespace {

// What the folder did while a scan ran is held back, and looked at when the scan ends: a
// replay removed then drops out, one written then is handed on once complete.
TEST(LiveFolderWatch, AChangeDuringAScanIsLookedAtWhenTheScanEnds) {
    test::TempFolder home;
    const std::string folder = home.Path() + "/";
    const std::string bytes = test::ReplayBytes(test::ReplayOf(test::BattleFixture(30)));
    test::WriteBytesFile(folder + "a.wotreplay", bytes);
    test::WriteBytesFile(folder + "b.wotreplay", bytes);
    LibraryTables library;
    HeadlessDesktop desktop;
    ProcessReplays(folder, library, IniFile(), desktop);
    ASSERT_EQ(library.allReplaysList.size(), 2u);

    bool scanning = true;
    int drops = 0;
    std::vector<std::string> handedOn;
    app::LiveFolderWatch watch(
        library, {.scanning = [&] { return scanning; },
                  .rowsDropped = [&] { ++drops; },
                  .replaysComplete =
                      [&](const std::vector<std::string>& paths, const std::string& watched) {
                          EXPECT_EQ(watched, folder);
                          handedOn.insert(handedOn.end(), paths.begin(), paths.end());
                      }});
    watch.Watch(folder);
    std::filesystem::remove(folder + "a.wotreplay");
    test::WriteBytesFile(folder + "c.wotreplay", bytes);

    // Long enough for the folder to be listed (a quarter of a second after it changed) and a
    // file to be looked at twice (every half second): nothing moves while the scan runs.
    QTest::qWait(1500);
    EXPECT_EQ(drops, 0);
    EXPECT_TRUE(handedOn.empty());
    EXPECT_EQ(library.allReplaysList.size(), 2u);

    scanning = false;
    watch.CatchUp();
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(library.allReplaysList, std::vector<std::string>{folder + "b.wotreplay"});
    EXPECT_EQ(library.allReplays.RowCount(), 2);  // the title and b
    EXPECT_TRUE(QTest::qWaitFor([&] { return !handedOn.empty(); }, 5000));
    EXPECT_EQ(handedOn, std::vector<std::string>{folder + "c.wotreplay"});
}

}  // namespace
}  // namespace kordex
