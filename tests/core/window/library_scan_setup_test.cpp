#include "window/library_scan_setup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "library/library_tables.h"
#include "platform/headless_desktop.h"
#include "support/battle_replay.h"
#include "support/test_paths.h"
#include "window/library_cache_file.h"

namespace kordex {
namespace {

constexpr const char* kIniText = "[ussr]\nT-34=Т-34\n";

namespace col = library_column;
namespace fs = std::filesystem;

// Two replays in the folder, one in its favourites, all of a T-34.
class LibraryScanSetupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = files.File("replays") + "/";
        fs::create_directories(test::PathOf(folder + kFavoritesFolderName));
        test::BattleFixture battle(6, "0, 9, 15, 0");
        battle.SetDateTime("27.05.2017 21:04:33").SetMap("02_malinovka", "Малиновка");
        battle.SetHeader("playerVehicle", test::JsonString("ussr-T-34"));
        for (const std::string& name : {std::string("a.wotreplay"), std::string("b.wotreplay"),
                                        std::string(kFavoritesFolderName) + "/c.wotreplay"})
            test::WriteBattleReplay(folder + name, battle);
        WriteIni(kIniText);
    }
    // Binary: the cache's identity is of the file's bytes, which text mode changes on Windows.
    void WriteIni(const std::string& text) {
        std::ofstream(test::PathOf(ini), std::ios::binary) << text;
    }
    // The window's way: a scan over the setup, every row placed.
    LibraryTables Scan(LibraryScanSetup& setup, bool keep) {
        LibraryTables tables;
        HeadlessDesktop desktop;
        LibraryScan scan(std::move(setup.files), tables, *setup.ini, setup.cache.get());
        while (!scan.Finished())
            scan.Place(desktop, nullptr, std::chrono::hours(1), true);
        if (keep)
            KeepLibraryScanRows(scan, *setup.cache, cachePath);
        return tables;
    }

    test::TempFolder files;
    std::string folder;
    const std::string ini = files.File("tanks.ini");
    const std::string cachePath = LibraryCachePath(files.File("cache"));
};

TEST_F(LibraryScanSetupTest, GathersTanksIniItsCacheAndTheFolderAndScansAsTheCoreScanDoes) {
    LibraryScanSetup setup = PrepareLibraryScan(folder, ini, cachePath);
    ASSERT_TRUE(setup.ini && setup.ini->Present());
    EXPECT_EQ(setup.ini->Value("USSR", "t-34"), "Т-34");
    ASSERT_TRUE(setup.cache);
    EXPECT_EQ(setup.cache->Size(), 0u);
    EXPECT_EQ(setup.cache->IniFingerprint(), IniFingerprint(kIniText));
    EXPECT_EQ(setup.files.folder, folder);
    EXPECT_EQ(setup.files.all,
              (std::vector<std::string>{folder + "a.wotreplay", folder + "b.wotreplay"}));
    EXPECT_EQ(setup.files.favorites,
              std::vector<std::string>{folder + kFavoritesFolderName + "/c.wotreplay"});

    // The rows and their order are those of the scan of one file after the other.
    LibraryTables window = Scan(setup, true);
    LibraryTables core;
    HeadlessDesktop desktop;
    ProcessReplays(folder, core, IniFile::Load(ini), desktop);
    for (auto [ours, theirs] : {std::pair{&window.allReplays, &core.allReplays},
                                std::pair{&window.favoriteReplays, &core.favoriteReplays}}) {
        ASSERT_EQ(ours->RowCount(), theirs->RowCount());
        for (int row = 0; row < ours->RowCount(); ++row)
            for (int column = 0; column < kLibraryColumns; ++column)
                EXPECT_EQ(ours->Cell(column, row), theirs->Cell(column, row)) << column << row;
    }
    EXPECT_EQ(window.allReplays.Cell(col::Vehicle, 1), "Т-34");
    EXPECT_EQ(window.allReplays.Cell(col::Path, 1), folder + "b.wotreplay");
    EXPECT_EQ(window.allReplaysList, core.allReplaysList);
    EXPECT_EQ(window.favoriteReplaysList, core.favoriteReplaysList);

    // The rows kept reached the cache file, for the next scan with the same tanks.ini only.
    EXPECT_EQ(PrepareLibraryScan(folder, ini, cachePath).cache->Size(), 3u);
    WriteIni("[ussr]\nT-34=T-34 (1941)\n");
    EXPECT_EQ(PrepareLibraryScan(folder, ini, cachePath).cache->Size(), 0u);
}

TEST_F(LibraryScanSetupTest, WithoutTanksIniCacheFileOrFolder) {
    struct Case {
        const char* what;
        std::string folder;
        std::string ini;
        std::string cachePath;
        bool iniPresent;
        bool cache;
        std::size_t files;
    };
    const Case cases[] = {
        {"no tanks.ini", folder, files.File("absent.ini"), cachePath, false, true, 2},
        {"no cache file", folder, ini, "", true, false, 2},
        {"no folder", files.File("gone"), ini, cachePath, true, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LibraryScanSetup setup = PrepareLibraryScan(c.folder, c.ini, c.cachePath);
        ASSERT_TRUE(setup.ini);
        EXPECT_EQ(setup.ini->Present(), c.iniPresent);
        ASSERT_EQ(setup.cache != nullptr, c.cache);
        if (c.cache) {
            EXPECT_EQ(setup.cache->IniFingerprint(), IniFingerprint(c.iniPresent ? kIniText : ""));
        }
        EXPECT_EQ(setup.files.all.size(), c.files);
    }
}

TEST_F(LibraryScanSetupTest, AStoppedScanKeepsTheRowsItReadAndForgetsTheFilesGone) {
    // A cache of an earlier scan, one of whose files is gone since.
    {
        LibraryScanSetup first = PrepareLibraryScan(folder, ini, cachePath);
        Scan(first, true);
    }
    const std::string gone = folder + "a.wotreplay";
    const std::optional<FileStamp> goneStamp = StampOf(gone);
    ASSERT_TRUE(goneStamp);
    ASSERT_NE(LoadLibraryCache(cachePath, IniFingerprint(kIniText)).Find(gone, *goneStamp),
              nullptr);
    fs::remove(test::PathOf(gone));

    LibraryScanSetup setup = PrepareLibraryScan(folder, ini, cachePath);
    LibraryTables tables;
    HeadlessDesktop desktop;
    // One reader: the rows read are the rows placed.
    LibraryScan scan(std::move(setup.files), tables, *setup.ini, setup.cache.get(), 1);
    scan.Stop();
    scan.Place(desktop, nullptr, std::chrono::hours(1), false);
    ASSERT_TRUE(scan.Finished());
    KeepLibraryScanRows(scan, *setup.cache, cachePath);

    const LibraryRowCache kept = LoadLibraryCache(cachePath, IniFingerprint(kIniText));
    EXPECT_EQ(kept.Find(gone, *goneStamp), nullptr);
    EXPECT_EQ(kept.Size(), static_cast<std::size_t>(scan.PlacedCount()));
    EXPECT_EQ(setup.cache->Size(), kept.Size());
    for (int row = 1; row < tables.allReplays.RowCount(); ++row) {
        const std::string& path = tables.allReplays.Cell(col::Path, row);
        EXPECT_NE(kept.Find(path, *StampOf(path)), nullptr) << path;
    }
}

}  // namespace
}  // namespace kordex
