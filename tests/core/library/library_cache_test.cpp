#include "library/library_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "library/library_scan.h"
#include "platform/headless_desktop.h"
#include "support/battle_replay.h"
#include "support/test_paths.h"
#include "window/library_cache_file.h"

namespace kordex {
namespace {

namespace col = library_column;
namespace fs = std::filesystem;
using test::BattleFixture;

BattleFixture Battle(const std::string& xp) {
    BattleFixture battle(6, "0, 9, 15, 0");
    battle.SetDateTime("27.05.2017 21:04:33").SetMap("02_malinovka", "Малиновка");
    battle.SetPersonal("xp", xp);
    return battle;
}

LibraryRow SomeRow(const std::string& path, const std::string& map) {
    LibraryRow row;
    row.kind = LibraryRowKind::Marked;
    row.cells.assign(kLibraryColumns, "Ошибка");
    row.cells[col::Map] = map;
    row.cells[col::Path] = path;
    return row;
}

TEST(LibraryRowCache, BytesGiveTheSameRowsBackOnlyToTheSameTanksIni) {
    LibraryRowCache cache(IniFingerprint("[ussr]\nT-34=Т-34\n"));
    cache.Keep("/r/a.wotreplay", {100, 7}, SomeRow("/r/a.wotreplay", "Малиновка"));
    cache.Keep("/r/b\t.wotreplay", {0, -3}, SomeRow("/r/b\t.wotreplay", std::string("\0\n", 2)));
    const std::string bytes = cache.Bytes();

    const auto back = LibraryRowCache::FromBytes(bytes, cache.IniFingerprint());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Size(), 2u);
    const LibraryRow* row = back->Find("/r/b\t.wotreplay", {0, -3});
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(*row, SomeRow("/r/b\t.wotreplay", std::string("\0\n", 2)));
    // A row is found only while its file keeps size and time.
    EXPECT_EQ(back->Find("/r/a.wotreplay", {100, 8}), nullptr);
    EXPECT_EQ(back->Find("/r/a.wotreplay", {101, 7}), nullptr);
    EXPECT_NE(back->Find("/r/a.wotreplay", {100, 7}), nullptr);

    // Caches that are not whole, or not of this tanks.ini, are never trusted.
    struct Case {
        const char* what;
        std::string bytes;
        std::string ini;
    };
    std::string flipped = bytes;
    flipped[bytes.size() / 2] ^= 0x20;
    const Case cases[] = {
        {"another tanks.ini", bytes, IniFingerprint("[ussr]\nT-34=T-34\n")},
        {"cut short", bytes.substr(0, bytes.size() - 1), cache.IniFingerprint()},
        {"one byte changed", flipped, cache.IniFingerprint()},
        {"empty", "", cache.IniFingerprint()},
        {"another file", "Kordex settings\n" + bytes, cache.IniFingerprint()},
        {"more after its end", bytes + "x", cache.IniFingerprint()},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(LibraryRowCache::FromBytes(c.bytes, c.ini).has_value()) << c.what;
}

TEST(LibraryRowCache, ForgetsOnlyTheFilesDirectlyInTheFoldersButThoseKept) {
    LibraryRowCache cache("ini");
    for (const char* path : {"/r/a.wotreplay", "/r/[Избранное]/b.wotreplay", "/rr/c.wotreplay",
                             "/r/d/e.wotreplay", "/r/k.wotreplay"})
        cache.Keep(path, {1, 1}, SomeRow(path, "m"));
    EXPECT_EQ(cache.ForgetFoldersBut({"/r/", "/r/[Избранное]/"}, {"/r/k.wotreplay"}), 2u);
    EXPECT_EQ(cache.IniFingerprint(), "ini");
    EXPECT_EQ(cache.Size(), 3u);
    EXPECT_EQ(cache.Find("/r/a.wotreplay", {1, 1}), nullptr);
    EXPECT_EQ(cache.Find("/r/[Избранное]/b.wotreplay", {1, 1}), nullptr);
    for (const char* kept : {"/rr/c.wotreplay", "/r/d/e.wotreplay", "/r/k.wotreplay"})
        EXPECT_NE(cache.Find(kept, {1, 1}), nullptr) << kept;
}

// Sets a file's modification time back to what it was, so that only its content differs.
void KeepTime(const std::string& path, fs::file_time_type time) {
    fs::last_write_time(test::PathOf(path), time);
}

TEST(LibraryScanCache, UnchangedFilesAreNotReadChangedNewAndVanishedOnesAre) {
    test::TempFolder folder;
    for (const char* name : {"a.wotreplay", "b.wotreplay", "c.wotreplay"})
        test::WriteBattleReplay(folder.File(name), Battle("100"));
    fs::create_directory(test::PathOf(folder.File("[Избранное]")));
    test::WriteBattleReplay(folder.File("[Избранное]/f.wotreplay"), Battle("100"));
    HeadlessDesktop desktop;
    LibraryRowCache cache(IniFingerprint(""));
    LibraryTables first;
    EXPECT_TRUE(ProcessReplays(folder.Path(), first, IniFile(), desktop, nullptr, &cache));
    EXPECT_EQ(cache.Size(), 4u);
    LibraryTables again;
    EXPECT_FALSE(ProcessReplays(folder.Path(), again, IniFile(), desktop, nullptr, &cache));
    LibraryTables plain;
    ProcessReplays(folder.Path(), plain, IniFile(), desktop);
    EXPECT_EQ(first.allReplays.Column(col::Xp), plain.allReplays.Column(col::Xp));

    // a: new content of the same size and time, so only a scan that opens it sees it;
    // b: new content and a new time; c: gone; d: new.
    const auto aTime = fs::last_write_time(test::PathOf(folder.File("a.wotreplay")));
    test::WriteBattleReplay(folder.File("a.wotreplay"), Battle("200"));
    KeepTime(folder.File("a.wotreplay"), aTime);
    test::WriteBattleReplay(folder.File("b.wotreplay"), Battle("300"));
    KeepTime(folder.File("b.wotreplay"), aTime + std::chrono::seconds(5));
    fs::remove(test::PathOf(folder.File("c.wotreplay")));
    test::WriteBattleReplay(folder.File("d.wotreplay"), Battle("400"));

    LibraryTables second;
    EXPECT_TRUE(ProcessReplays(folder.Path(), second, IniFile(), desktop, nullptr, &cache));
    const std::string f = folder.Path() + "/";
    EXPECT_EQ(second.allReplays.Column(col::Path),
              (std::vector<std::string>{"Путь", f + "d.wotreplay", f + "b.wotreplay",
                                        f + "a.wotreplay"}));
    EXPECT_EQ(second.allReplays.Column(col::Xp),
              (std::vector<std::string>{"Опыт", "400", "300", "100"}));
    EXPECT_EQ(second.favoriteReplays.Cell(col::Xp, 1), "100");
    EXPECT_EQ(cache.Size(), 4u);
    EXPECT_EQ(cache.Find(f + "c.wotreplay", {0, 0}), nullptr);
    for (const auto& [name, xp] :
         {std::pair{"b.wotreplay", "300"}, std::pair{"d.wotreplay", "400"}}) {
        const LibraryRow* row = cache.Find(f + name, *StampOf(f + name));
        ASSERT_NE(row, nullptr) << name;
        EXPECT_EQ(row->cells[col::Xp], xp);
    }
}

// The stamp is the size and the time std::filesystem gives (on every system alike, down to
// the nanoseconds), and nothing for what is no regular file.
TEST(LibraryRowCache, StampIsTheFileSystemsSizeAndTimeOfRegularFilesOnly) {
    test::TempFolder folder;
    const std::string path = folder.File("бой с пробелом.wotreplay");
    test::WriteBattleReplay(path, Battle("100"));
    const fs::path native(std::u8string(path.begin(), path.end()));
    KeepTime(path, fs::last_write_time(native) + std::chrono::nanoseconds(123456789));
    const auto stamp = StampOf(path);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->size, fs::file_size(native));
    EXPECT_EQ(stamp->modified, fs::last_write_time(native).time_since_epoch().count());
    fs::create_directory(test::PathOf(folder.File("folder.wotreplay")));
    EXPECT_FALSE(StampOf(folder.File("folder.wotreplay")));
    EXPECT_FALSE(StampOf(folder.File("gone.wotreplay")));
}

TEST(LibraryScanCache, ARowOfAFileThatDidNotOpenSaysSo) {
    test::TempFolder folder;
    test::WriteBattleReplay(folder.File("a.wotreplay"), Battle("100"));
    const LibraryRow missing = ReadLibraryRow(folder.File("gone.wotreplay"), IniFile());
    EXPECT_EQ(missing.kind, LibraryRowKind::Error);
    EXPECT_FALSE(missing.opened);
    EXPECT_TRUE(ReadLibraryRow(folder.File("a.wotreplay"), IniFile()).opened);
}

TEST(LibraryCacheFile, WrittenWholeAndRebuiltWhenUnreadableOrOfAnotherTanksIni) {
    test::TempFolder folder;
    const std::string fingerprint = IniFingerprint("[ussr]\nT-34=Т-34\n");
    const std::string path = LibraryCachePath(folder.File("cache/Kordex"));
    // Missing: empty.
    EXPECT_EQ(LoadLibraryCache(path, fingerprint).Size(), 0u);

    LibraryRowCache cache = LoadLibraryCache(path, fingerprint);
    cache.Keep("/r/a.wotreplay", {1, 2}, SomeRow("/r/a.wotreplay", "m"));
    ASSERT_TRUE(SaveLibraryCache(path, cache).written);
    EXPECT_FALSE(fs::exists(test::PathOf(path + ".writing")));
    EXPECT_EQ(LoadLibraryCache(path, fingerprint).Size(), 1u);

    // Another tanks.ini: the vehicle names in the rows may differ.
    EXPECT_EQ(LoadLibraryCache(path, IniFingerprint("[ussr]\nT-34=T-34 (1941)\n")).Size(), 0u);
    // A folder where the file should be: nothing written, and the caller is told.
    const std::string blocked = folder.File("blocked");
    fs::create_directories(test::PathOf(blocked + "/library-rows.cache/x"));
    EXPECT_FALSE(SaveLibraryCache(LibraryCachePath(blocked), cache).written);
}

}  // namespace
}  // namespace kordex
