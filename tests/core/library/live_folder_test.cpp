#include "library/live_folder.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/headless_desktop.h"
#include "support/held_file.h"
#include "support/replay_fixture.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

namespace col = library_column;

TEST(LiveFolder, ComparesTheFolderWithItsPathList) {
    const FolderChanges changes =
        CompareFolderWithList({"/r/a.wotreplay", "/r/c.wotreplay", "/r/d.wotreplay"},
                              {"/r/a.wotreplay", "/r/b.wotreplay", "/r/c.wotreplay"});
    EXPECT_EQ(changes.appeared, std::vector<std::string>{"/r/d.wotreplay"});
    EXPECT_EQ(changes.vanished, std::vector<std::string>{"/r/b.wotreplay"});
}

TEST(LiveFolder, AFileIsCompleteWhenItsSizeStaysAndItOpens) {
    // What each look at the files finds, look by look.
    std::map<std::string, std::vector<std::optional<FileLook>>> looks = {
        {"/r/growing", {FileLook{10, true}, FileLook{20, true}, FileLook{20, true}}},
        {"/r/held", {FileLook{10, false}, FileLook{10, false}, FileLook{10, true}}},
        {"/r/steady", {FileLook{10, true}, FileLook{10, true}}},
        {"/r/gone", {FileLook{10, true}, std::nullopt}},
    };
    int look = 0;
    PendingReplays pending;
    for (const auto& [path, _] : looks)
        pending.Add(path);
    pending.Add("/r/steady");  // reported twice, kept once
    auto lookAt = [&](const std::string& path) { return looks[path][look]; };

    std::vector<std::vector<std::string>> complete;
    for (look = 0; look < 3 && !pending.Empty(); ++look)
        complete.push_back(pending.TakeComplete(lookAt));
    EXPECT_EQ(complete, (std::vector<std::vector<std::string>>{
                            {}, {"/r/steady"}, {"/r/growing", "/r/held"}}));
    EXPECT_TRUE(pending.Empty());
}

// The real look at a replay another process holds open for writing, in a Cyrillic folder: on
// Windows it does not open until the writer lets go; elsewhere no sharing rule stops it.
TEST(LiveFolder, AReplayHeldForWritingOpensOnlyWhenReleasedOnWindows) {
#ifdef _WIN32
    constexpr bool kSharingRule = true;
#else
    constexpr bool kSharingRule = false;
#endif
    test::TempFolder folder;
    const std::string path = folder.File("Новый бой.wotreplay");
    test::WriteBytesFile(path, "0123456789");
    {
        test::FileHeldForWriting held(path);
        ASSERT_TRUE(held.Held());
        const std::optional<FileLook> look = LookAtFile(path);
        ASSERT_TRUE(look);
        EXPECT_EQ(look->size, 10u);
        EXPECT_EQ(look->opens, !kSharingRule);
    }
    const std::optional<FileLook> released = LookAtFile(path);
    ASSERT_TRUE(released);
    EXPECT_TRUE(released->opens);
    EXPECT_FALSE(LookAtFile(folder.File("нет такого.wotreplay")));
}

TEST(LiveFolder, NewRowsGoWhereAScanPutsThemGoneOnesDrop) {
    TextGrid table = MakeLibraryGrid();
    std::vector<std::string> paths = {"/r/a.wotreplay", "/r/c.wotreplay"};
    table.SetRowCount(3);
    table.SetCell(col::Path, 1, "/r/c.wotreplay");
    table.SetCell(col::Path, 2, "/r/a.wotreplay");
    HeadlessDesktop desktop;
    for (const char* path : {"/r/B.wotreplay", "/r/d.wotreplay", "/r/0.wotreplay"}) {
        LibraryRow row;
        row.cells.assign(kLibraryColumns, "Ошибка");
        row.cells[col::Path] = path;
        InsertLibraryRow(table, paths, row, desktop);
    }
    EXPECT_EQ(table.Column(col::Path),
              (std::vector<std::string>{"Путь", "/r/d.wotreplay", "/r/c.wotreplay",
                                        "/r/B.wotreplay", "/r/a.wotreplay", "/r/0.wotreplay"}));
    EXPECT_EQ(table.Cell(col::Time, 3), "Ошибка");
    EXPECT_EQ(paths, (std::vector<std::string>{"/r/0.wotreplay", "/r/a.wotreplay", "/r/B.wotreplay",
                                               "/r/c.wotreplay", "/r/d.wotreplay"}));

    DropLibraryRows(table, paths, {"/r/c.wotreplay", "/r/0.wotreplay", "/r/x.wotreplay"});
    EXPECT_EQ(
        table.Column(col::Path),
        (std::vector<std::string>{"Путь", "/r/d.wotreplay", "/r/B.wotreplay", "/r/a.wotreplay"}));
    EXPECT_EQ(paths,
              (std::vector<std::string>{"/r/a.wotreplay", "/r/B.wotreplay", "/r/d.wotreplay"}));
    EXPECT_TRUE(TableHasPath(table, "/r/B.wotreplay"));
    EXPECT_FALSE(TableHasPath(table, "/r/c.wotreplay"));
}

TEST(LiveFolder, AnAppearedReplayGoesToItsFolderListAndARowMovedThereIsNotReadAgain) {
    LibraryTables library;
    const std::string root = "/r/replays/";
    const std::string favorite = root + "[Избранное]/f.wotreplay";
    for (const auto& [path, inFavorites] :
         {std::pair{root + "a.wotreplay", false}, std::pair{favorite, true},
          std::pair{std::string("/elsewhere/b.wotreplay"), true}}) {
        const LibraryPlace place = PlaceOfAppearedReplay(library, root, path);
        EXPECT_EQ(&place.table, inFavorites ? &library.favoriteReplays : &library.allReplays)
            << path;
        EXPECT_EQ(&place.list, inFavorites ? &library.favoriteReplaysList : &library.allReplaysList)
            << path;
    }

    // "В избранное" moved a row there under its new path; the folder tells of it afterwards.
    const LibraryPlace place = PlaceOfAppearedReplay(library, root, favorite);
    EXPECT_FALSE(AlreadyShown(place, favorite));
    library.favoriteReplays.SetRowCount(2);
    library.favoriteReplays.SetCell(col::Path, 1, favorite);
    EXPECT_TRUE(AlreadyShown(place, favorite));
    EXPECT_TRUE(AlreadyShown(place, favorite));
    EXPECT_EQ(library.favoriteReplaysList, std::vector<std::string>{favorite});
}

}  // namespace
}  // namespace kordex
