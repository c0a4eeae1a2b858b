#include "window/file_places.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "export/export_file.h"
#include "platform/std_file_system.h"
#include "replay/vehicle_names.h"
#include "support/file_bytes.h"
#include "support/recording_file_system.h"
#include "support/test_paths.h"
#include "text/ini_file.h"
#include "window/library_cache_file.h"
#include "window/settings_file.h"

namespace kordex {
namespace {

namespace fs = std::filesystem;

using test::PathOf;

// A program folder holding the shipped tanks.ini, and the user's folders, under names a
// Russian user's profile has on Windows.
struct Layout {
    test::TempFolder root;
    std::string program = root.File("Program Files/Kordex");
    std::string config = root.File("Иван Петров/AppData/Local/Kordex");
    std::string documents = root.File("Иван Петров/Documents");
    std::string cache = root.File("Иван Петров/AppData/Local/Kordex/cache");
    test::RecordingFileSystem files;

    Layout() {
        fs::create_directories(PathOf(program));
        fs::copy_file(PathOf(KORDEX_SHIPPED_INI), PathOf(program + "/tanks.ini"));
    }
    FolderChoices Folders() const { return {program, config, documents, cache}; }
    // The program's folder as an installed program sees it.
    void Install() { files.readOnlyFolders.insert(program); }
};

TEST(FilePlaces, AWritableProgramFolderKeepsEverythingBesideTheExecutable) {
    Layout layout;
    const FilePlaces places = PrepareFilePlaces(layout.Folders(), layout.files);
    EXPECT_EQ(places, (FilePlaces{layout.program + "/tanks.ini", layout.program, true,
                                  LibraryCachePath(layout.cache)}));
    // Nothing is made in the user's folders.
    EXPECT_TRUE(layout.files.calls.empty());
    EXPECT_FALSE(fs::exists(PathOf(layout.config)));
    EXPECT_FALSE(fs::exists(PathOf(layout.documents)));
}

TEST(FilePlaces, AnInstalledProgramGetsTheUsersCopyOfTheShippedFileAndTheDocumentsFolder) {
    Layout layout;
    layout.Install();
    const FilePlaces places = PrepareFilePlaces(layout.Folders(), layout.files);

    EXPECT_EQ(places, (FilePlaces{layout.config + "/tanks.ini", layout.documents + "/Kordex", false,
                                  LibraryCachePath(layout.cache)}));
    EXPECT_EQ(test::ReadFileBytes(places.settingsFile),
              test::ReadFileBytes(layout.program + "/tanks.ini"));
    EXPECT_TRUE(fs::is_directory(PathOf(places.exportFolder)));
    // The vehicle names come with the copy.
    EXPECT_EQ(VehicleNameFromIni(IniFile::Load(places.settingsFile), "ussr:A-20"), "А-20");
}

TEST(FilePlaces, SettingsAreKeptBetweenTwoRunsOfAnInstalledProgram) {
    Layout layout;
    layout.Install();
    Settings changed;
    changed.additional = true;
    changed.allReplaysFolder = layout.root.File("Иван Петров/Мои реплеи");
    changed.autoProcessReplays = true;

    // The first run starts from the shipped file and writes the user's settings at close.
    {
        const FilePlaces first = PrepareFilePlaces(layout.Folders(), layout.files);
        const SettingsReading reading = ReadSettings(first.settingsFile);
        ASSERT_TRUE(reading.filePresent);
        EXPECT_FALSE(reading.settings.additional);
        ASSERT_EQ(WriteSettings(first.settingsFile, changed).status, SettingsWriteStatus::Written);
    }
    // The second run finds them; the shipped file is neither copied again nor changed.
    const std::string shipped = test::ReadFileBytes(layout.program + "/tanks.ini");
    layout.files.calls.clear();
    const FilePlaces second = PrepareFilePlaces(layout.Folders(), layout.files);
    for (const std::string& call : layout.files.calls)
        EXPECT_FALSE(call.starts_with("copy ")) << call;
    const SettingsReading reading = ReadSettings(second.settingsFile);
    EXPECT_EQ(reading.settings.additional, true);
    EXPECT_EQ(reading.settings.autoProcessReplays, true);
    EXPECT_EQ(reading.settings.allReplaysFolder, changed.allReplaysFolder);
    EXPECT_EQ(test::ReadFileBytes(layout.program + "/tanks.ini"), shipped);
}

TEST(FilePlaces, WhereTheUsersFoldersCannotBeMadeTheProgramFolderStands) {
    struct Case {
        const char* name;
        bool shippedFile;
        bool blockConfig;
        bool blockDocuments;
        bool settingsInConfig;
        bool exportsInDocuments;
    };
    const Case cases[] = {
        {"no shipped file: none is made up", false, false, false, false, true},
        {"configuration folder blocked by a file", true, true, false, false, true},
        {"documents folder blocked by a file", true, false, true, true, false},
    };
    for (const Case& c : cases) {
        Layout layout;
        layout.Install();
        if (!c.shippedFile)
            fs::remove(PathOf(layout.program + "/tanks.ini"));
        // A file where a folder should be made: the folder cannot be made.
        for (const auto& [blocked, path] : {std::pair{c.blockConfig, layout.config},
                                            std::pair{c.blockDocuments, layout.documents}})
            if (blocked) {
                fs::create_directories(PathOf(path).parent_path());
                WriteFileReplacing(path, std::string_view("not a folder"));
            }
        const FilePlaces places = PrepareFilePlaces(layout.Folders(), layout.files);
        EXPECT_FALSE(places.portable) << c.name;
        EXPECT_EQ(places.settingsFile,
                  c.settingsInConfig ? layout.config + "/tanks.ini" : layout.program + "/tanks.ini")
            << c.name;
        EXPECT_EQ(places.exportFolder,
                  c.exportsInDocuments ? layout.documents + "/Kordex" : layout.program)
            << c.name;
        EXPECT_FALSE(fs::exists(PathOf(layout.config + "/tanks.ini")) && !c.settingsInConfig)
            << c.name;
    }
}

TEST(StdFileSystem, AFolderIsWritableWhenAFileCanBeMadeThereAndLeavesNoTrace) {
    test::TempFolder folder;
    const std::string named = folder.File("Иван Петров");
    fs::create_directories(PathOf(named));
    WriteFileReplacing(folder.File("file"), std::string_view("x"));
    StdFileSystem files;
    EXPECT_TRUE(files.FolderWritable(named));
    EXPECT_TRUE(test::FolderEntries(named).empty());
    EXPECT_FALSE(files.FolderWritable(folder.File("missing")));
    EXPECT_FALSE(files.FolderWritable(folder.File("file")));
}

TEST(StdFileSystem, CopyNeverReplacesAFileThatIsThere) {
    test::TempFolder folder;
    WriteFileReplacing(folder.File("шаблон.ini"), std::string_view("shipped"));
    WriteFileReplacing(folder.File("user.ini"), std::string_view("the user's"));
    StdFileSystem files;
    EXPECT_FALSE(files.CopyFileNoReplace(folder.File("шаблон.ini"), folder.File("user.ini")));
    EXPECT_EQ(test::ReadFileBytes(folder.File("user.ini")), "the user's");
    EXPECT_TRUE(files.CopyFileNoReplace(folder.File("шаблон.ini"), folder.File("new.ini")));
    EXPECT_EQ(test::ReadFileBytes(folder.File("new.ini")), "shipped");
}

}  // namespace
}  // namespace kordex
