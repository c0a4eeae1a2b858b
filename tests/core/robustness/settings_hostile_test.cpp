// The settings file as players' editors leave it: mixed code pages and stray bytes.
#include <gtest/gtest.h>

#include <string>

#include "replay/vehicle_names.h"
#include "text/ini_file.h"
#include "window/settings_file.h"

namespace kordex {
namespace {

// Found by the fuzzer: the file is windows-1251 only because of a bad value in "options".
// Writing the settings replaced that value, the file turned into valid UTF-8 and its other
// names (here a vehicle name and the address) read differently afterwards.
TEST(SettingsHostile, WritingKeepsHowTheRestOfTheFileReads) {
    const std::string file =
        "[options\nAllReplaysFolder=\nAutoProcessReplays=\xbf\nRemoteServerAddress=\xd0\xa2\n"
        "[ussr]\nR04_T-34=\xd0\xa2-34\n";
    const IniFile before = IniFile::FromText(file);
    const SettingsReading reading = ReadSettings(before);
    ASSERT_EQ(reading.settings.remoteServerAddress, "Рў");

    const std::string written = ApplySettingsToText(file, reading.settings);
    const IniFile after = IniFile::FromText(written);
    EXPECT_EQ(ReadSettings(after).settings, reading.settings);
    EXPECT_EQ(VehicleNameFromIni(after, "ussr:R04_T-34"),
              VehicleNameFromIni(before, "ussr:R04_T-34"));
    EXPECT_EQ(ApplySettingsToText(written, reading.settings), written);
}

TEST(SettingsHostile, AWindows1251FileWithOtherStrayBytesStaysInItsCodePage) {
    const std::string file = "[options]\nAutoProcessReplays=\xbf\n[ussr]\nR04_T-34=\xd2-34\n";
    const SettingsReading reading = ReadSettings(IniFile::FromText(file));
    const std::string written = ApplySettingsToText(file, reading.settings);
    EXPECT_NE(written.find("R04_T-34=\xd2-34\n"), std::string::npos);
    EXPECT_NE(written.find("AutoProcessReplays=0\n"), std::string::npos);
}

// Found by the fuzzer: a windows-1251 file that begins with the three bytes of a UTF-8 byte
// order mark. The reader takes them as letters (so "[options]" after them is no section line);
// the writer took them for the mark and wrote its keys into that section, where no reading
// found them.
TEST(SettingsHostile, BytesOfAByteOrderMarkInAWindows1251FileAreLetters) {
    const std::string file = "\xEF\xBB\xBF[options]\xFF";
    Settings changed;
    changed.group = true;
    changed.allReplaysFolder = "C:\\Игры";
    const std::string written = ApplySettingsToText(file, changed);
    EXPECT_EQ(ReadSettings(IniFile::FromText(written)).settings, changed);
    EXPECT_TRUE(written.starts_with(file));
}

}  // namespace
}  // namespace kordex
