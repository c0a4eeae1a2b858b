#include "library/library_actions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "library/library_tables.h"
#include "library/replay_files.h"
#include "platform/headless_desktop.h"
#include "platform/std_file_system.h"
#include "support/file_bytes.h"
#include "support/recording_file_system.h"
#include "support/replay_fixture.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

namespace col = library_column;

void Touch(const std::string& path, const std::string& text = "x") {
    std::ofstream(test::PathOf(path)) << text;
}

// A library table with one row per path, the map column telling the rows apart.
TextGrid TableOf(const std::vector<std::string>& paths) {
    TextGrid table = MakeLibraryGrid();
    table.SetRowCount(static_cast<int>(paths.size()) + 1);
    for (int i = 0; i < static_cast<int>(paths.size()); ++i) {
        table.SetCell(col::Map, i + 1, "map" + std::to_string(i + 1));
        table.SetCell(col::Path, i + 1, paths[i]);
    }
    return table;
}

// In the order of a sorted list box: letter case aside, ё with е.
TEST(FindReplayFiles, ListsReplaysSortedIgnoringCaseAndSkipsTheGamesTempFile) {
    test::TempFolder folder;
    for (const char* name : {"b.wotreplay", "A.wotreplay", "c.WOTREPLAY", ".hidden.wotreplay",
                             "temp.wotreplay", "Temp.wotreplay", "notes.txt", "ЯК.wotreplay",
                             "ёж.wotreplay", "Ель.wotreplay", "Ёлка.wotreplay", "жук.wotreplay"})
        Touch(folder.File(name));
    std::filesystem::create_directory(test::PathOf(folder.File("dir.wotreplay")));
    const std::string f = folder.Path() + "/";
    std::vector<std::string> expected = {f + ".hidden.wotreplay", f + "A.wotreplay",
                                         f + "b.wotreplay", f + "c.WOTREPLAY"};
#ifndef _WIN32
    // On Windows the two names are one file, which keeps the game's name and is skipped.
    expected.push_back(f + "Temp.wotreplay");
#endif
    for (const char* name :
         {"ёж.wotreplay", "Ёлка.wotreplay", "Ель.wotreplay", "жук.wotreplay", "ЯК.wotreplay"})
        expected.push_back(f + name);
    EXPECT_EQ(FindReplayFiles(folder.Path()), expected);
    EXPECT_TRUE(FindReplayFiles(folder.File("absent")).empty());
}

TEST(DeleteGridRow, ShiftsTheRowsBelowUp) {
    TextGrid table = TableOf({"/a", "/b", "/c"});
    DeleteGridRow(table, 2);
    ASSERT_EQ(table.RowCount(), 3);
    EXPECT_EQ(table.Cell(col::Path, 1), "/a");
    EXPECT_EQ(table.Cell(col::Path, 2), "/c");
    EXPECT_EQ(table.Cell(col::Map, 2), "map3");
}

TEST(AddToFavorites, MovesSelectedRowsBottomUpAndKeepsRowsWhoseMoveFails) {
    test::TempFolder folder;
    std::vector<std::string> paths;
    for (const char* name :
         {"1.wotreplay", "2.wotreplay", "3.wotreplay", "4.wotreplay", "5.wotreplay"}) {
        paths.push_back(folder.File(name));
        Touch(paths.back(), name);
    }
    // A favourite of the same name already exists: that file must stay, untouched.
    const std::string favorites = folder.File("[Избранное]");
    std::filesystem::create_directory(test::PathOf(favorites));
    Touch(favorites + "/3.wotreplay", "older favourite");

    TextGrid all = TableOf(paths);
    TextGrid favored = MakeLibraryGrid();
    all.SetSelection({2, 4});
    test::RecordingFileSystem files;
    HeadlessDesktop desktop;
    EXPECT_EQ(AddToFavorites(all, favored, files, desktop), 2);

    ASSERT_EQ(favored.RowCount(), 3);
    EXPECT_EQ(favored.Cell(col::Map, 1), "map4");
    EXPECT_EQ(favored.Cell(col::Path, 1), favorites + "/4.wotreplay");
    EXPECT_EQ(favored.Cell(col::Map, 2), "map2");
    EXPECT_EQ(all.Column(col::Path),
              (std::vector<std::string>{"Путь", paths[0], paths[2], paths[4]}));
    EXPECT_EQ(test::ReadFileBytes(favorites + "/3.wotreplay"), "older favourite");
    EXPECT_EQ(test::ReadFileBytes(paths[2]), "3.wotreplay");
    EXPECT_EQ(test::ReadFileBytes(favorites + "/2.wotreplay"), "2.wotreplay");
}

TEST(AddToFavorites, SkipsTheTitleRowAndEmptyPaths) {
    TextGrid all = TableOf({"", "/nowhere/x.wotreplay"});
    TextGrid favored = MakeLibraryGrid();
    all.SetSelection({0, 1});
    test::RecordingFileSystem files;
    HeadlessDesktop desktop;
    EXPECT_EQ(AddToFavorites(all, favored, files, desktop), 0);
    EXPECT_TRUE(files.calls.empty());
    EXPECT_EQ(all.RowCount(), 3);
}

TEST(DeleteSelected, AsksWithTheRowCountAndDeletesOnlyWhatReachedTheTrash) {
    test::TempFolder folder;
    std::vector<std::string> paths;
    for (const char* name : {"a.wotreplay", "b.wotreplay", "c.wotreplay"}) {
        paths.push_back(folder.File(name));
        Touch(paths.back());
    }
    TextGrid table = TableOf(paths);
    table.SetSelection({1, 3});
    test::RecordingFileSystem files;
    files.refuseTrash.insert(paths[1]);
    HeadlessDesktop desktop;
    desktop.confirmAnswers.push_back(true);

    EXPECT_EQ(DeleteSelected(table, files, desktop), 2);
    EXPECT_EQ(desktop.Events().front(), "confirm Удалить выбранные реплеи (3 шт.)?");
    EXPECT_EQ(table.Column(col::Path), (std::vector<std::string>{"Путь", paths[1]}));
    EXPECT_EQ(files.trashed, (std::vector<std::string>{paths[2], paths[0]}));
}

TEST(DeleteSelected, CancelChangesNothing) {
    TextGrid table = TableOf({"/a", "/b"});
    table.SetSelection({1, 2});
    test::RecordingFileSystem files;
    HeadlessDesktop desktop;
    EXPECT_EQ(DeleteSelected(table, files, desktop), 0);
    EXPECT_TRUE(files.calls.empty());
    EXPECT_EQ(table.RowCount(), 3);
}

TEST(HandOffSelection, OneRowGoesToTheSingleViewSeveralToASeries) {
    TextGrid table = TableOf({"/r/c.wotreplay", "", "/r/A.wotreplay", "/r/b.wotreplay"});
    table.SetSelection({3, 3});
    EXPECT_EQ(std::get<SingleHandOff>(HandOffSelection(table)).path, "/r/A.wotreplay");
    table.SetSelection({0, 0});
    EXPECT_TRUE(std::holds_alternative<NoHandOff>(HandOffSelection(table)));
    table.SetSelection({2, 2});
    EXPECT_TRUE(std::holds_alternative<NoHandOff>(HandOffSelection(table)));
    table.SetSelection({0, 4});
    EXPECT_EQ(std::get<SeriesHandOff>(HandOffSelection(table)).paths,
              (std::vector<std::string>{"/r/A.wotreplay", "/r/b.wotreplay", "/r/c.wotreplay"}));
}

TEST(OpenReplayFolder, OpensOnlyAnExistingFolder) {
    test::TempFolder folder;
    test::WriteBytesFile(folder.File("a.wotreplay"), "");
    const struct {
        std::string field;
        bool opens;
    } cases[] = {
        {folder.Path(), true},
        {folder.Path() + "/", true},
        {"Укажите путь к реплеям -->", false},
        {"http://example.test/", false},
        {"file://" + folder.Path(), false},
        {folder.File("a.wotreplay"), false},
        {folder.File("gone"), false},
        {"", false},
    };
    for (const auto& c : cases) {
        HeadlessDesktop desktop;
        StdFileSystem files;
        OpenReplayFolder(c.field, files, desktop);
        EXPECT_EQ(desktop.Events(), c.opens ? std::vector<std::string>{"open " + c.field}
                                            : std::vector<std::string>{})
            << c.field;
    }
}

}  // namespace
}  // namespace kordex
