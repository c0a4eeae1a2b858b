#include "window/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>

#include "replay/vehicle_names.h"
#include "support/failing_file_system.h"
#include "support/file_bytes.h"
#include "support/replace_all.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

namespace fs = std::filesystem;

using test::ReadFileBytes;
using test::ReplaceAll;
using test::WriteBytesFile;

Settings SampleSettings() {
    Settings s;
    s.additional = true;
    s.toBegin = false;
    s.group = true;
    s.allReplaysFolder = "D:\\Игры\\replays";
    s.autoProcessReplays = true;
    s.exportAllHtml = false;
    s.remoteExport = true;
    s.remoteServerAddress = "http://example.test/import.php";
    s.remoteServerPort = "8080";
    return s;
}

const char kAllNineKeys[] =
    "Additional=-1\nToBegin=0\nGroup=-1\nAllReplaysFolder=D:\\Игры\\replays\n"
    "AutoProcessReplays=-1\nExportAllHTML=0\nRemoteExport=-1\n"
    "RemoteServerAddress=http://example.test/import.php\nRemoteServerPort=8080\n";

TEST(BooleanText, ReadsNumbersAndWordsInAnyLetterCase) {
    struct Case {
        const char* text;
        std::optional<bool> value;
    };
    const Case cases[] = {
        {"true", true}, {"TRUE", true}, {"True", true}, {"false", false}, {"FaLsE", false},
        {"1", true},    {"2", true},    {"-1", true},   {"0", false},     {"00", false},
        {"-0", false},  {"0.0", false}, {"0,5", true},  {"1e3", true},    {"0e5", false},
        {" 1 ", true},  {"yes", {}},    {"", {}},       {"t", {}},        {"1x", {}},
        {"-", {}},      {"1e", {}},     {"1.2.3", {}},  {"truth", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseBooleanText(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(BooleanText(true), "-1");
    EXPECT_EQ(BooleanText(false), "0");
}

TEST(ReadSettings, ReadsTheNineKeysOfSectionOptions) {
    const auto reading = ReadSettings(IniFile::FromText("[OPTIONS]\n" + std::string(kAllNineKeys)));
    EXPECT_TRUE(reading.filePresent);
    EXPECT_TRUE(reading.problems.empty());
    EXPECT_EQ(reading.settings, SampleSettings());
}

TEST(ReadSettings, AbsentKeysAndAbsentFileGiveTheirOwnDefaults) {
    // A file without the keys: the folder key's own prompt and port 80.
    const auto present = ReadSettings(IniFile::FromText("[ussr]\nIS=ИС\n"));
    EXPECT_TRUE(present.filePresent);
    EXPECT_EQ(present.settings.allReplaysFolder, "Укажите папку с реплеями -->");
    EXPECT_EQ(present.settings.remoteServerPort, "80");
    EXPECT_EQ(present.settings.remoteServerAddress, "");
    EXPECT_FALSE(present.settings.additional || present.settings.toBegin ||
                 present.settings.group || present.settings.autoProcessReplays ||
                 present.settings.exportAllHtml || present.settings.remoteExport);

    // No file: the window's own values.
    test::TempFolder folder;
    const auto absent = ReadSettings(folder.File("tanks.ini"));
    EXPECT_FALSE(absent.filePresent);
    EXPECT_EQ(absent.settings, Settings{});
    EXPECT_EQ(absent.settings.allReplaysFolder, "Укажите путь к реплеям -->");
    EXPECT_EQ(absent.settings.remoteServerPort, "");
}

TEST(ReadSettings, BadBooleanIsReportedOnceAndTheOtherKeysAreStillRead) {
    const auto reading = ReadSettings(IniFile::FromText(
        "[options]\nAdditional=True\nToBegin=yes\nGroup=-1\nAllReplaysFolder=D:\\r\n"
        "AutoProcessReplays=2\nExportAllHTML=maybe\nRemoteServerPort=81\n"));
    ASSERT_EQ(reading.problems.size(), 2u);
    EXPECT_NE(reading.problems[0].find("ToBegin"), std::string::npos);
    EXPECT_NE(reading.problems[0].find("\"yes\""), std::string::npos);
    EXPECT_NE(reading.problems[1].find("ExportAllHTML"), std::string::npos);
    EXPECT_EQ(SettingsProblemsMessage(reading), reading.problems[0] + "\n" + reading.problems[1]);

    EXPECT_TRUE(reading.settings.additional);
    EXPECT_FALSE(reading.settings.toBegin);
    EXPECT_TRUE(reading.settings.group);
    EXPECT_EQ(reading.settings.allReplaysFolder, "D:\\r");
    EXPECT_TRUE(reading.settings.autoProcessReplays);
    EXPECT_FALSE(reading.settings.exportAllHtml);
    EXPECT_EQ(reading.settings.remoteServerPort, "81");

    // Written back, the bad key gets a valid value and the good ones keep theirs.
    const auto written = ApplySettingsToText("[options]\nAdditional=True\nToBegin=yes\nGroup=-1\n",
                                             reading.settings);
    EXPECT_EQ(written,
              "[options]\nAdditional=-1\nToBegin=0\nGroup=-1\nAllReplaysFolder=D:\\r\n"
              "AutoProcessReplays=-1\nExportAllHTML=0\nRemoteExport=0\nRemoteServerAddress=\n"
              "RemoteServerPort=81\n");
    EXPECT_TRUE(SettingsProblemsMessage(ReadSettings(IniFile::FromText(written))).empty());
}

TEST(ApplySettingsToText, ChangesOnlyTheLinesItWrites) {
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    };
    const Settings s = SampleSettings();
    const std::string crOnly = "[options]\r" + ReplaceAll(kAllNineKeys, "\n", "\r");
    const Case cases[] = {
        {"section absent: added at the end with the file's line ending",
         "; names\r\n[ussr]\r\nIS=ИС\r\n",
         "; names\r\n[ussr]\r\nIS=ИС\r\n[options]\r\n" + ReplaceAll(kAllNineKeys, "\n", "\r\n")},
        {"last line without an ending", "[ussr]\nIS=ИС",
         "[ussr]\nIS=ИС\n[options]\n" + std::string(kAllNineKeys)},
        {"keys replaced in place, unchanged ones and comments kept, missing ones after the "
         "last key",
         "[ussr]\r\nIS=ИС\r\n\r\n[Options]\r\n; mine\r\nadditional = True\r\nToBegin = 0\r\n"
         "  Group=-1\r\nRemoteServerPort=80\r\n\r\n; tail\r\n[germany]\r\nPzIV=Pz IV\r\n",
         "[ussr]\r\nIS=ИС\r\n\r\n[Options]\r\n; mine\r\nadditional=-1\r\nToBegin = 0\r\n"
         "  Group=-1\r\nRemoteServerPort=8080\r\nAllReplaysFolder=D:\\Игры\\replays\r\n"
         "AutoProcessReplays=-1\r\nExportAllHTML=0\r\nRemoteExport=-1\r\n"
         "RemoteServerAddress=http://example.test/import.php\r\n\r\n; tail\r\n[germany]\r\n"
         "PzIV=Pz IV\r\n"},
        {"only the first of a repeated key, in the first options section",
         "[options]\nGroup=0\nGroup=0\n[options]\nToBegin=-1\n",
         "[options]\nGroup=-1\nGroup=0\nAdditional=-1\nToBegin=0\nAllReplaysFolder=D:\\Игры\\"
         "replays\nAutoProcessReplays=-1\nExportAllHTML=0\nRemoteExport=-1\n"
         "RemoteServerAddress=http://example.test/import.php\nRemoteServerPort=8080\n"
         "[options]\nToBegin=-1\n"},
        {"empty section header at the end of the file", "\xEF\xBB\xBF[options]",
         "\xEF\xBB\xBF[options]\n" + std::string(kAllNineKeys)},
        {"a file that already holds the values is unchanged", crOnly, crOnly},
    };
    for (const auto& c : cases) {
        const auto after = ApplySettingsToText(c.before, s);
        EXPECT_EQ(after, c.after) << c.name;
        EXPECT_EQ(ReadSettings(IniFile::FromText(after)).settings, s) << c.name;
        EXPECT_EQ(ApplySettingsToText(after, s), after) << c.name;
    }
}

TEST(ApplySettingsToText, ShippedNamesSurviveByteForByte) {
    const std::string shipped = ReadFileBytes(KORDEX_SHIPPED_INI);
    ASSERT_FALSE(shipped.empty());
    const auto after = ApplySettingsToText(shipped, SampleSettings());
    ASSERT_TRUE(after.starts_with(shipped));
    const auto ini = IniFile::FromText(after);
    EXPECT_EQ(ReadSettings(ini).settings, SampleSettings());
    EXPECT_EQ(VehicleNameFromIni(ini, "ussr:R87_T62A"), "Т-62А");
}

// Whatever the folder holds, the vehicle names stay readable and the folder reads back; the file
// keeps its code page unless the folder cannot be written in it.
TEST(ApplySettingsToText, TheFolderNeverSpoilsTheNamesOrTheCodePage) {
    const std::string names = "[ussr]\nIS=ИС\n";
    const std::string names1251 = "[ussr]\r\nIS=\xC8\xD1\r\n";  // "IS=ИС" in windows-1251
    const struct {
        const char* name;
        std::string before;
        std::string folder;
        std::string start;  // what the file still begins with
        std::string read;   // the folder as read back
    } cases[] = {
        {"line breaks in the value cannot start new lines", names, "D:\\r\n[ussr]\r\nIS=подмена",
         names, "D:\\r [ussr]  IS=подмена"},
        // "D:\Реп" in windows-1251.
        {"a value that is not UTF-8 cannot turn a UTF-8 file into 1251", names, "D:\\\xD0\xE5\xEF",
         names, "D:\\Реп"},
        {"a windows-1251 file keeps its code page", names1251, "D:\\Реплеи", names1251,
         "D:\\Реплеи"},
        {"a windows-1251 file turns into UTF-8 for a path outside its code page", names1251,
         "D:\\リプレイ", "[ussr]\r\nIS=ИС\r\n", "D:\\リプレイ"},
    };
    for (const auto& c : cases) {
        Settings s;
        s.allReplaysFolder = c.folder;
        const auto after = ApplySettingsToText(c.before, s);
        EXPECT_TRUE(after.starts_with(c.start)) << c.name;
        const auto ini = IniFile::FromText(after);
        EXPECT_EQ(VehicleNameFromIni(ini, "ussr:IS"), "ИС") << c.name;
        EXPECT_EQ(ReadSettings(ini).settings.allReplaysFolder, c.read) << c.name;
    }
    // The folder goes into a windows-1251 file in that code page.
    Settings s;
    s.allReplaysFolder = "D:\\Реплеи";
    EXPECT_NE(
        ApplySettingsToText(names1251, s).find("AllReplaysFolder=D:\\\xD0\xE5\xEF\xEB\xE5\xE8\r\n"),
        std::string::npos);
}

TEST(StartUpScansFolder, OnlyWhenAskedReadCleanlyAndTheFolderIsThere) {
    const struct {
        const char* file;
        bool folderExists;
        bool scans;
    } cases[] = {
        {"[options]\nAutoProcessReplays=1\n", true, true},
        {"[options]\nAutoProcessReplays=1\n", false, false},
        {"[options]\nAutoProcessReplays=0\n", true, false},
        // A value that is not a boolean stops the start-up before the scan, wherever it is.
        {"[options]\nToBegin=yes\nAutoProcessReplays=1\n", true, false},
        {"[options]\nAutoProcessReplays=1\nRemoteExport=maybe\n", true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StartUpScansFolder(ReadSettings(IniFile::FromText(c.file)), c.folderExists),
                  c.scans)
            << c.file << c.folderExists;
    EXPECT_FALSE(StartUpScansFolder(SettingsReading{}, true));  // no file
}

TEST(WriteSettings, NeverCreatesTheFile) {
    test::TempFolder folder;
    const auto result = WriteSettings(folder.File("tanks.ini"), SampleSettings());
    EXPECT_EQ(result.status, SettingsWriteStatus::FileAbsent);
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

TEST(WriteSettings, ReplacesTheFileAndLeavesNothingBeside) {
    test::TempFolder folder;
    const auto path = folder.File("tanks.ini");
    WriteBytesFile(path, "[ussr]\r\nIS=ИС\r\n");
#ifndef _WIN32
    ::chmod(path.c_str(), 0640);
#endif

    const auto result = WriteSettings(path, SampleSettings());
    ASSERT_EQ(result.status, SettingsWriteStatus::Written) << result.description;
    EXPECT_EQ(ReadFileBytes(path), ApplySettingsToText("[ussr]\r\nIS=ИС\r\n", SampleSettings()));
    EXPECT_EQ(ReadSettings(path).settings, SampleSettings());
    EXPECT_EQ(test::FolderEntries(folder.Path()), std::vector<std::string>{"tanks.ini"});
#ifndef _WIN32
    // File modes and inode numbers are the POSIX file system's.
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    // Closing again with the same settings leaves the file itself alone.
    ASSERT_EQ(WriteSettings(path, SampleSettings()).status, SettingsWriteStatus::Written);
    struct stat again {};
    ASSERT_EQ(::stat(path.c_str(), &again), 0);
    EXPECT_EQ(again.st_ino, info.st_ino);
#endif
}

TEST(WriteSettings, WritesThroughALinkAndKeepsTheLink) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need a privilege on Windows";
#endif
    test::TempFolder folder;
    const auto real = folder.File("real.ini");
    const auto link = folder.File("tanks.ini");
    WriteBytesFile(real, "[ussr]\nIS=ИС\n");
    fs::create_symlink(real, link);

    ASSERT_EQ(WriteSettings(link, SampleSettings()).status, SettingsWriteStatus::Written);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadSettings(real).settings, SampleSettings());
}

TEST(WriteSettings, ADiskFaultLeavesTheOldFileWholeAndNothingBeside) {
    using Fault = test::FailingFileSystem::Fault;
    const struct {
        const char* name;
        Fault fault;
    } cases[] = {
        {"refused", Fault::RefuseOpen},
        {"failed mid-write", Fault::FailMidWrite},
        {"disk full", Fault::FillDisk},
    };
    for (const auto& c : cases) {
        test::TempFolder folder;
        const auto path = folder.File("tanks.ini");
        const std::string before = "[ussr]\nIS=ИС\n";
        WriteBytesFile(path, before);
        test::FailingFileSystem files(c.fault);

        const auto result = WriteSettings(path, SampleSettings(), files);
        EXPECT_EQ(result.status, SettingsWriteStatus::Failed) << c.name;
        EXPECT_NE(result.description.find("tanks.ini"), std::string::npos) << c.name;
        EXPECT_EQ(ReadFileBytes(path), before) << c.name;
        EXPECT_EQ(test::FolderEntries(folder.Path()), std::vector<std::string>{"tanks.ini"})
            << c.name;
        if (c.fault != Fault::RefuseOpen) {
            EXPECT_EQ(files.writes, 1) << c.name << ": the fault came after a first write";
        }
    }
}

TEST(WriteSettings, NeverTouchesWhatLiesBesideUnderTheOldTemporaryName) {
    test::TempFolder folder;
    const auto path = folder.File("tanks.ini");
    const auto victim = folder.File("victim.txt");
    WriteBytesFile(path, "[ussr]\nIS=ИС\n");
    WriteBytesFile(victim, "someone else's file");
    // A link planted under the name a temporary file once had, and a user's own file there.
#ifdef _WIN32
    // Links need a privilege there: a planted plain file stands in for it.
    WriteBytesFile(path + ".new", "planted");
#else
    fs::create_symlink(victim, path + ".new");
#endif
    const auto own = folder.File("real.ini");
    WriteBytesFile(own, "[ussr]\n");
    WriteBytesFile(own + ".new", "the user's own");

    ASSERT_EQ(WriteSettings(path, SampleSettings()).status, SettingsWriteStatus::Written);
    ASSERT_EQ(WriteSettings(own, SampleSettings()).status, SettingsWriteStatus::Written);
    EXPECT_EQ(ReadSettings(path).settings, SampleSettings());
    EXPECT_EQ(ReadFileBytes(victim), "someone else's file");
#ifdef _WIN32
    EXPECT_EQ(ReadFileBytes(path + ".new"), "planted");
#else
    EXPECT_TRUE(fs::is_symlink(path + ".new"));
#endif
    EXPECT_EQ(ReadFileBytes(own + ".new"), "the user's own");
    EXPECT_EQ(test::FolderEntries(folder.Path()),
              (std::vector<std::string>{"real.ini", "real.ini.new", "tanks.ini", "tanks.ini.new",
                                        "victim.txt"}));
}

}  // namespace
}  // namespace kordex
