// The states a player's disk and desktop can be in while Kordex works: files that vanish or
// cannot be opened, folders that refuse changes, names already taken, Cyrillic and spaces in
// paths, a settings file that is absent, read-only or deleted, a trash that takes nothing. Each
// test compares the folder's whole content before and after: nothing changes but what the user
// asked for.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "library/library_actions.h"
#include "library/library_row.h"
#include "library/library_scan.h"
#include "library/library_tables.h"
#include "platform/headless_desktop.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "series/series_run.h"
#include "series/series_tables.h"
#include "single/single_analysis.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/failing_file_system.h"
#include "support/file_bytes.h"
#include "support/folder_tree.h"
#include "support/headless_series.h"
#include "support/headless_single.h"
#include "support/library_row_read.h"
#include "support/recording_file_system.h"
#include "support/replay_fixture.h"
#include "support/test_paths.h"
#include "tables/label_store.h"
#include "text/ini_file.h"
#include "window/settings_file.h"
#include "window/window_tables.h"

namespace kordex {
namespace {

namespace fs = std::filesystem;
namespace col = library_column;
using test::BattleFixture;

using test::PathOf;
using test::Tree;
using test::TreeOf;

// A finished battle; test::WriteLeftEarlyReplay writes one its recorder left early.
void WriteComplete(const std::string& path, const std::string& dateTime = "27.05.2017 21:04:33") {
    BattleFixture battle(14);
    battle.SetDateTime(dateTime);
    test::WriteBattleReplay(path, battle);
}

// A library scan of a folder, with the tables the window keeps.
struct Library {
    LibraryTables tables;
    HeadlessDesktop desktop;
    void Scan(const std::string& folder) { ProcessReplays(folder, tables, IniFile(), desktop); }
    // The selected rows to "[Избранное]", and into the trash with the question answered yes; each
    // gives the count of rows it took.
    int ToFavorites(FileSystem& files) {
        return AddToFavorites(tables.allReplays, tables.favoriteReplays, files, desktop);
    }
    int DeleteConfirmed(FileSystem& files) {
        desktop.confirmAnswers.push_back(true);
        return DeleteSelected(tables.allReplays, files, desktop);
    }
    int RowOf(const std::string& path) const {
        for (int row = 1; row < tables.allReplays.RowCount(); ++row)
            if (tables.allReplays.Cell(col::Path, row) == path)
                return row;
        return -1;
    }
};

// A series run over paths, moving unusable replays as the window does.
struct Series : test::HeadlessSeries {
    SeriesRunResult Run(const std::vector<std::string>& paths, FileSystem* through = nullptr) {
        files = through ? through : &realFiles;
        return HeadlessSeries::Run(paths);
    }
};

// The single view of one path.
using Single = test::HeadlessSingle;

TEST(DiskFaults, ReplayVanishedBetweenScanAndAction) {
    test::TempFolder folder;
    const std::string kept = folder.File("a.wotreplay");
    const std::string gone = folder.File("b.wotreplay");
    WriteComplete(kept);
    WriteComplete(gone, "27.05.2017 21:30:00");
    Library library;
    library.Scan(folder.Path());
    const int row = library.RowOf(gone);
    ASSERT_GT(row, 0);
    fs::remove(test::PathOf(gone));
    const Tree before = TreeOf(folder.Path());

    // To favourites: the move fails, the row stays where it was.
    library.tables.allReplays.SetSelection({row, row});
    test::RecordingFileSystem files;
    EXPECT_EQ(library.ToFavorites(files), 0);
    EXPECT_EQ(library.tables.allReplays.Cell(col::Path, row), gone);
    EXPECT_EQ(library.tables.favoriteReplays.RowCount(), 1);

    // Into the trash: nothing reached it, so the row stays.
    EXPECT_EQ(library.DeleteConfirmed(files), 0);
    EXPECT_EQ(library.tables.allReplays.Cell(col::Path, row), gone);
    EXPECT_TRUE(files.trashed.empty());

    // Handed to the single view: no file there, the open dialog (cancelled) and a beep.
    Single single;
    EXPECT_EQ(single.Analyse(gone), SingleEnd::DialogCancelled);

    // Run as a series with the replay that is still there: a read error in its column, no
    // subfolder made for a file that is not there, the other battle read.
    Series series;
    const SeriesRunResult result = series.Run({kept, gone});
    ASSERT_EQ(result.replays.size(), 2u);
    EXPECT_EQ(result.replays[0].kind, ReplayClass::Complete);
    EXPECT_EQ(result.replays[1].kind, ReplayClass::ReadError);
    EXPECT_FALSE(result.replays[1].move.moved);

    // The favourites folder an attempted move makes is the only trace.
    Tree after = TreeOf(folder.Path());
    after.erase(kFavoritesFolderName);
    EXPECT_EQ(after, before);
}

TEST(DiskFaults, PathsThatCannotBeOpened) {
    test::TempFolder folder;
    const std::string good = folder.File("good.wotreplay");
    WriteComplete(good);
    // A folder and a link to itself under replay names: neither can be opened as a file.
    const std::string folderNamed = folder.File("folder.wotreplay");
    fs::create_directory(test::PathOf(folderNamed));
    std::vector<std::string> unopenable = {folderNamed};
#ifndef _WIN32
    // Links need a privilege on Windows.
    const std::string loop = folder.File("loop.wotreplay");
    fs::create_symlink("loop.wotreplay", loop);
    unopenable.push_back(loop);
#endif
    const Tree before = TreeOf(folder.Path());

    Library library;
    library.Scan(folder.Path());
    EXPECT_EQ(library.tables.allReplays.RowCount(), 2);  // the title and the good replay
    EXPECT_EQ(library.tables.allReplays.Cell(col::Path, 1), good);
    for (const std::string& path : unopenable) {
        const test::LibraryRowRead row = test::ReadLibraryRow(path);
        EXPECT_EQ(row.kind, LibraryRowKind::Error);
        EXPECT_EQ(row.cells[col::Time], "Ошибка");
        EXPECT_EQ(row.cells[col::Path], path);
    }

    Series series;
    std::vector<std::string> paths = unopenable;
    paths.insert(paths.begin() + 1, good);
    const SeriesRunResult result = series.Run(paths);
    ASSERT_EQ(result.replays.size(), paths.size());
    for (const ReplayOutcome& replay : result.replays)
        if (replay.path != good) {
            EXPECT_EQ(replay.kind, ReplayClass::ReadError) << replay.path;
            EXPECT_FALSE(replay.move.moved) << replay.path;
        }

    Single single;
    EXPECT_EQ(single.Analyse(folderNamed), SingleEnd::DialogCancelled);
    EXPECT_EQ(TreeOf(folder.Path()), before);
}

TEST(DiskFaults, TheReplayFolderGoneOrAFile) {
    test::TempFolder root;
    const std::string folder = root.File("replays");
    fs::create_directory(test::PathOf(folder));
    WriteComplete(folder + "/a.wotreplay");
    Library library;
    library.Scan(folder);
    ASSERT_EQ(library.tables.allReplays.RowCount(), 2);

    // "Обновить" after the folder went, and with a file in its place: empty tables, no error.
    fs::remove_all(test::PathOf(folder));
    library.Scan(folder);
    EXPECT_EQ(library.tables.allReplays.RowCount(), 1);
    EXPECT_EQ(library.tables.favoriteReplays.RowCount(), 1);
    test::WriteBytesFile(folder, "a file, not a folder");
    library.Scan(folder);
    EXPECT_EQ(library.tables.allReplays.RowCount(), 1);
    EXPECT_EQ(test::ReadFileBytes(folder), "a file, not a folder");
}

TEST(DiskFaults, ReadOnlyFolderKeepsEveryRowAndSaysNothingMoved) {
    test::TempFolder folder;
    const std::string complete = folder.File("complete.wotreplay");
    const std::string unfinished = folder.File("unfinished.wotreplay");
    WriteComplete(complete);
    test::WriteLeftEarlyReplay(unfinished, BattleFixture(14));
    Library library;
    library.Scan(folder.Path());
    const Tree before = TreeOf(folder.Path());
    // Refuses every change, as a read-only folder does for a user without the superuser's
    // rights (the tests run as the superuser, whom permissions do not stop).
    test::FailingFileSystem files(test::FailingFileSystem::Fault::RefuseOpen);

    library.tables.allReplays.SetSelection({1, 2});
    const auto rowsBefore = library.tables.allReplays.Column(col::Path);
    EXPECT_EQ(library.ToFavorites(files), 0);
    EXPECT_EQ(library.DeleteConfirmed(files), 0);
    EXPECT_EQ(library.tables.allReplays.Column(col::Path), rowsBefore);
    EXPECT_EQ(library.tables.favoriteReplays.RowCount(), 1);

    // The series marks the unfinished battle as it always does, and tells that the move to its
    // subfolder failed rather than claiming it.
    Series series;
    const SeriesRunResult result = series.Run({complete, unfinished}, &files);
    ASSERT_EQ(result.replays.size(), 2u);
    const ReplayOutcome& left = result.replays[1];
    EXPECT_EQ(left.kind, ReplayClass::Unfinished);
    EXPECT_EQ(left.word, "Вышел");
    EXPECT_TRUE(left.move.attempted);
    EXPECT_FALSE(left.move.moved);
    EXPECT_FALSE(left.move.failure.empty());
    EXPECT_EQ(TreeOf(folder.Path()), before);
}

TEST(DiskFaults, NamesAlreadyTakenAreNeverOverwritten) {
    struct Case {
        const char* name;
        bool favouritesIsAFile;  // "[Избранное]" is a file, not a folder
        bool unfinishedIsAFile;  // "_Недосмотренные" is a file, not a folder
    };
    for (const Case& c : {Case{"same names inside the folders", false, false},
                          Case{"files where the folders should be", true, true}}) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        const std::string favourite = folder.File("fav.wotreplay");
        const std::string unfinished = folder.File("left.wotreplay");
        WriteComplete(favourite);
        test::WriteLeftEarlyReplay(unfinished, BattleFixture(14));
        const std::string favourites = folder.File(kFavoritesFolderName);
        const std::string subfolder = folder.File("_Недосмотренные");
        if (c.favouritesIsAFile) {
            test::WriteBytesFile(favourites, "not a folder");
        } else {
            fs::create_directory(PathOf(favourites));
            test::WriteBytesFile(favourites + "/fav.wotreplay", "an older favourite");
        }
        if (c.unfinishedIsAFile) {
            test::WriteBytesFile(subfolder, "not a folder either");
        } else {
            fs::create_directory(PathOf(subfolder));
            test::WriteBytesFile(subfolder + "/left.wotreplay", "an older unfinished battle");
        }
        const Tree before = TreeOf(folder.Path());

        Library library;
        library.Scan(folder.Path());
        const int row = library.RowOf(favourite);
        ASSERT_GT(row, 0);
        library.tables.allReplays.SetSelection({row, row});
        StdFileSystem files;
        EXPECT_EQ(library.ToFavorites(files), 0);
        EXPECT_EQ(library.tables.allReplays.Cell(col::Path, row), favourite);

        Series series;
        const SeriesRunResult result = series.Run({unfinished});
        ASSERT_EQ(result.replays.size(), 1u);
        EXPECT_EQ(result.replays[0].kind, ReplayClass::Unfinished);
        EXPECT_FALSE(result.replays[0].move.moved);
        EXPECT_EQ(TreeOf(folder.Path()), before);
    }
}

TEST(DiskFaults, CyrillicAndSpacesInTheFolderPath) {
    test::TempFolder root;
    const std::string folder = root.File("Мои реплеи/World of Tanks 1.0/replays");
    fs::create_directories(PathOf(folder));
    const std::string complete = folder + "/Бой у реки 1.wotreplay";
    const std::string unfinished = folder + "/вышел рано.wotreplay";
    WriteComplete(complete);
    test::WriteLeftEarlyReplay(unfinished, BattleFixture(14));

    Library library;
    library.Scan(folder);
    ASSERT_EQ(library.tables.allReplays.RowCount(), 3);
    const int row = library.RowOf(complete);
    ASSERT_GT(row, 0);
    EXPECT_EQ(library.tables.allReplays.Cell(col::Time, row), "2017.05.27 21:04:33");
    EXPECT_EQ(library.tables.allReplays.Cell(col::Time, library.RowOf(unfinished)), "Ошибка");

    Single single;
    EXPECT_EQ(single.Analyse(complete), SingleEnd::Completed);

    Series series;
    const SeriesRunResult result = series.Run({complete, unfinished});
    ASSERT_EQ(result.replays.size(), 2u);
    EXPECT_EQ(result.replays[0].kind, ReplayClass::Complete);
    EXPECT_TRUE(result.replays[1].move.moved);
    EXPECT_TRUE(fs::is_regular_file(PathOf(folder + "/_Недосмотренные/вышел рано.wotreplay")));

    library.Scan(folder);
    library.tables.allReplays.SetSelection({1, 1});
    StdFileSystem files;
    EXPECT_EQ(library.ToFavorites(files), 1);
    const std::string moved = folder + "/" + kFavoritesFolderName + "/Бой у реки 1.wotreplay";
    EXPECT_EQ(library.tables.favoriteReplays.Cell(col::Path, 1), moved);
    library.Scan(folder);
    EXPECT_EQ(library.tables.favoriteReplays.Cell(col::Path, 1), moved);
    EXPECT_EQ(library.tables.favoriteReplays.Cell(col::Time, 1), "2017.05.27 21:04:33");
}

TEST(DiskFaults, TheTrashTakingNothingKeepsEveryRowAndFile) {
    test::TempFolder folder;
    std::vector<std::string> paths;
    for (const char* name : {"a.wotreplay", "b.wotreplay"}) {
        paths.push_back(folder.File(name));
        WriteComplete(paths.back());
    }
    Library library;
    library.Scan(folder.Path());
    const Tree before = TreeOf(folder.Path());
    test::RecordingFileSystem files;
    files.refuseTrash.insert(paths.begin(), paths.end());
    library.tables.allReplays.SetSelection({1, 2});
    EXPECT_EQ(library.DeleteConfirmed(files), 0);
    EXPECT_EQ(library.tables.allReplays.RowCount(), 3);
    EXPECT_TRUE(files.trashed.empty());
    EXPECT_EQ(TreeOf(folder.Path()), before);
}

// Moves between two file systems (here the disk and the memory file system) copy and remove;
// one that cannot finish leaves the file in exactly one place and a file at the target alone.
TEST(DiskFaults, MovesAcrossFileSystemsNeverOverwriteOrDuplicate) {
    std::error_code error;
    if (!fs::is_directory("/dev/shm", error))
        GTEST_SKIP() << "no second file system at /dev/shm";
    test::TempFolder disk;
    const fs::path memory = fs::path("/dev/shm") / fs::path(disk.Path()).filename();
    fs::create_directories(memory);
    struct Cleanup {
        fs::path path;
        ~Cleanup() {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    } cleanup{memory};

    StdFileSystem files;
    const std::string source = (memory / "a.wotreplay").string();
    const std::string taken = disk.File("taken.wotreplay");
    test::WriteBytesFile(source, "the replay");
    test::WriteBytesFile(taken, "someone else's");
    EXPECT_FALSE(files.MoveFileNoReplace(source, taken));
    EXPECT_EQ(test::ReadFileBytes(source), "the replay");
    EXPECT_EQ(test::ReadFileBytes(taken), "someone else's");

    const std::string free = disk.File("free.wotreplay");
    EXPECT_TRUE(files.MoveFileNoReplace(source, free));
    EXPECT_FALSE(fs::exists(test::PathOf(source)));
    EXPECT_EQ(test::ReadFileBytes(free), "the replay");

    // Into a folder that is not there: nothing is left on either side but the source.
    test::WriteBytesFile(source, "again");
    EXPECT_FALSE(files.MoveFileNoReplace(source, disk.File("no such folder/x.wotreplay")));
    EXPECT_EQ(test::ReadFileBytes(source), "again");
}

TEST(DiskFaults, SettingsFileAbsentReadOnlyOrDeletedWhileRunning) {
    test::TempFolder folder;
    const std::string path = folder.File("tanks.ini");
    const std::string text = "[options]\nAdditional=0\n[ussr]\nR04_T-34=Т-34\n";
    Settings changed;
    changed.additional = true;

    // Absent from the start: defaults, and the file is never created.
    const SettingsReading absent = ReadSettings(path);
    EXPECT_FALSE(absent.filePresent);
    EXPECT_EQ(absent.settings, Settings{});
    EXPECT_EQ(WriteSettings(path, changed).status, SettingsWriteStatus::FileAbsent);
    EXPECT_FALSE(fs::exists(test::PathOf(path)));

    // Deleted while running: read at start, gone at close, not made again.
    test::WriteBytesFile(path, text);
    EXPECT_TRUE(ReadSettings(path).filePresent);
    fs::remove(test::PathOf(path));
    EXPECT_EQ(WriteSettings(path, changed).status, SettingsWriteStatus::FileAbsent);
    EXPECT_FALSE(fs::exists(test::PathOf(path)));

    // A folder under that name is no settings file either.
    fs::create_directory(test::PathOf(path));
    EXPECT_FALSE(ReadSettings(path).filePresent);
    EXPECT_EQ(WriteSettings(path, changed).status, SettingsWriteStatus::FileAbsent);
    fs::remove(test::PathOf(path));

    // Read-only: read as usual; at close the file stays as it is and the failure is told.
    test::WriteBytesFile(path, text);
    ::chmod(path.c_str(), 0444);
    EXPECT_TRUE(ReadSettings(path).filePresent);
    const SettingsWriteResult written = WriteSettings(path, changed);
    EXPECT_EQ(written.status, SettingsWriteStatus::Failed);
    EXPECT_NE(written.description.find("только для чтения"), std::string::npos);
    EXPECT_EQ(test::ReadFileBytes(path), text);
    EXPECT_EQ(test::FolderEntries(folder.Path()), (std::vector<std::string>{"tanks.ini"}));
    // Nothing to change is no failure, read-only or not.
    const std::string current = ApplySettingsToText(text, changed);
    ::chmod(path.c_str(), 0644);
    test::WriteBytesFile(path, current);
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(WriteSettings(path, changed).status, SettingsWriteStatus::Written);
    EXPECT_EQ(test::ReadFileBytes(path), current);
}

}  // namespace
}  // namespace kordex
