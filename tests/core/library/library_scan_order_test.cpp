#include <gtest/gtest.h>

#include <filesystem>

#include "library/library_cache.h"
#include "library/library_row.h"
#include "library/library_scan.h"
#include "library/replay_files.h"
#include "platform/headless_desktop.h"
#include "support/battle_replay.h"
#include "support/test_paths.h"
#include "tables/grid_helpers.h"

namespace kordex {
namespace {

namespace col = library_column;
namespace fs = std::filesystem;

// The scan as it was before it had threads: one file after the other, the last path first.
LibraryTables OneFileAfterTheOther(const std::string& folder, const IniFile& ini,
                                   HeadlessDesktop& desktop) {
    LibraryTables tables;
    const std::string prefix = WithFinalSeparator(folder);
    tables.allReplaysList = FindReplayFiles(prefix);
    tables.favoriteReplaysList = FindReplayFiles(prefix + kFavoritesFolderName + "/");
    for (auto [list, table] : {std::pair{&tables.allReplaysList, &tables.allReplays},
                               std::pair{&tables.favoriteReplaysList, &tables.favoriteReplays}}) {
        const int count = static_cast<int>(list->size());
        table->SetRowCount(count + 1);
        for (int d = count - 1; d >= 0; --d)
            ReplayToLibraryRow((*list)[d], count - 1 - d, *table, ini, desktop);
    }
    return tables;
}

std::vector<std::vector<std::string>> Rows(const TextGrid& table) {
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < table.RowCount(); ++row)
        rows.push_back(table.Row(row));
    return rows;
}

// The scan as the window drives it: rows placed a few at a time between other work.
void PlaceWhileReady(LibraryScan& scan, Desktop& desktop) {
    while (!scan.Finished())
        scan.Place(desktop, nullptr, std::chrono::milliseconds(1), false);
}

TEST(LibraryScanOrder, RealReplaysGiveTheRowsOfOneFileAfterTheOtherThreadedAndCached) {
    KORDEX_REQUIRE_SHARED_REPLAYS();
    const IniFile ini = IniFile::Load(KORDEX_SHIPPED_INI);
    int folders = 0;
    for (const auto& entry : fs::directory_iterator(test::PathOf(test::SharedReplaysFolder()))) {
        if (!entry.is_directory())
            continue;
        ++folders;
        const std::string folder = entry.path().string();
        HeadlessDesktop referenceDesktop;
        const LibraryTables reference = OneFileAfterTheOther(folder, ini, referenceDesktop);

        for (int threads : {1, 3}) {
            HeadlessDesktop desktop;
            LibraryTables tables;
            LibraryScan scan(folder, tables, ini, nullptr, threads);
            PlaceWhileReady(scan, desktop);
            EXPECT_EQ(Rows(tables.allReplays), Rows(reference.allReplays)) << folder;
            EXPECT_EQ(Rows(tables.favoriteReplays), Rows(reference.favoriteReplays));
            EXPECT_EQ(desktop.Events(), referenceDesktop.Events());
        }
        // A cache filled by one scan gives the next one the same rows without reading.
        LibraryRowCache cache("");
        HeadlessDesktop desktop;
        LibraryTables first, second;
        ProcessReplays(folder, first, ini, desktop, nullptr, &cache);
        ProcessReplays(folder, second, ini, desktop, nullptr, &cache);
        EXPECT_EQ(Rows(second.allReplays), Rows(reference.allReplays)) << folder;
        EXPECT_EQ(cache.Size(),
                  reference.allReplaysList.size() + reference.favoriteReplaysList.size());
    }
    EXPECT_GT(folders, 0);
}

TEST(LibraryScanOrder, StopKeepsTheRowsReadInTheirPlacesAndDropsTheRest) {
    test::TempFolder folder;
    // One reading thread and many files: it is still reading when "Стоп" comes.
    constexpr int kFiles = 300;
    for (int i = 0; i < kFiles; ++i) {
        test::BattleFixture battle(6, "0, 9, 15, 0");
        battle.SetPersonal("xp", std::to_string(1000 + i));
        test::WriteBattleReplay(folder.File("r" + std::to_string(1000 + i) + ".wotreplay"), battle);
    }
    HeadlessDesktop desktop;
    LibraryTables tables;
    const IniFile ini;  // the scan keeps a reference: it must outlive the scan
    LibraryScan scan(folder.Path(), tables, ini, nullptr, 1);
    // Two rows placed, then stopped: whatever the workers had read is placed too.
    while (scan.PlacedCount() < 2)
        scan.Place(desktop, nullptr, std::chrono::milliseconds(0), true);
    scan.Stop();
    scan.Place(desktop, nullptr, std::chrono::hours(1), false);
    ASSERT_TRUE(scan.Finished());
    EXPECT_TRUE(scan.Stopped());
    const int placed = scan.PlacedCount();
    EXPECT_GE(placed, 2);
    EXPECT_LT(placed, kFiles);
    ASSERT_EQ(tables.allReplays.RowCount(), placed + 1);
    EXPECT_EQ(tables.allReplaysList.size(), static_cast<std::size_t>(kFiles));
    for (int row = 1; row <= placed; ++row) {
        // Row r shows the path at list position N - r, its own values with it.
        EXPECT_EQ(tables.allReplays.Cell(col::Path, row), tables.allReplaysList[kFiles - row]);
        EXPECT_EQ(tables.allReplays.Cell(col::Xp, row), std::to_string(1000 + kFiles - row));
    }
    EXPECT_EQ(tables.favoriteReplays.RowCount(), 1);
}

// The files placed in a stretch of the scan fill rows of the whole list first, from row 1,
// then rows of the favourites, from row 1.
TEST(LibraryScan, RowsOfPlacedFilesCrossFromTheWholeListToTheFavourites) {
    LibraryTables tables;
    const IniFile ini;
    LibraryScan scan(LibraryFolderFiles{"/none/",
                                        {"/none/a", "/none/b", "/none/c"},
                                        {"/none/[Избранное]/d", "/none/[Избранное]/e"}},
                     tables, ini, nullptr, 1);
    struct Case {
        int from, to;
        std::pair<int, int> all, favorites;  // first and last row; empty when last < first
    };
    const Case cases[] = {
        {0, 0, {1, 0}, {1, -3}}, {0, 2, {1, 2}, {1, -1}}, {2, 4, {3, 3}, {1, 1}},
        {3, 5, {4, 3}, {1, 2}},  {4, 5, {5, 3}, {2, 2}},
    };
    for (const Case& c : cases) {
        const LibraryScan::PlacedRows rows = scan.RowsOfPlaced(c.from, c.to);
        EXPECT_EQ(std::pair(rows.all.first, rows.all.last), c.all) << c.from << ".." << c.to;
        EXPECT_EQ(std::pair(rows.favorites.first, rows.favorites.last), c.favorites)
            << c.from << ".." << c.to;
    }
}

}  // namespace
}  // namespace kordex
