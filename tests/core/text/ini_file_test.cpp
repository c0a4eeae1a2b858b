#include "text/ini_file.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "replay/vehicle_names.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"
#include "text/letter_case.h"

namespace kordex {
namespace {

TEST(FoldLetterCase, MakesLatinAndCyrillicCapitalsSmall) {
    EXPECT_EQ(FoldLetterCase("R87_T62A"), "r87_t62a");
    EXPECT_EQ(FoldLetterCase("ТАНКИ Ёж Ґ"), "танки ёж ґ");
    EXPECT_EQ(FoldLetterCase("ÀÉÞ×"), "àéþ×");
    EXPECT_EQ(FoldLetterCase("уже малые"), "уже малые");
    // Bytes that are not UTF-8 pass through untouched.
    EXPECT_EQ(FoldLetterCase("A\xC8\xD1Z"), "a\xC8\xD1z");
    EXPECT_TRUE(EqualIgnoringCase("Options", "OPTIONS"));
    EXPECT_FALSE(EqualIgnoringCase("options", "option"));
}

TEST(IniFile, FindsSectionsAndKeysInAnyLetterCase) {
    const auto ini = IniFile::FromText(
        "[ussr]\nR87_T62A=Т-62А\n[Танки]\nКлюч=значение\nЁлка=ель\n[options]\nToBegin=-1\n");
    EXPECT_TRUE(ini.Present());
    EXPECT_EQ(ini.Value("USSR", "r87_t62a"), "Т-62А");
    EXPECT_EQ(ini.Value("ТАНКИ", "ключ"), "значение");
    EXPECT_EQ(ini.Value("танки", "ёЛКА"), "ель");
    EXPECT_EQ(ini.Value("Options", "TOBEGIN"), "-1");
    EXPECT_FALSE(ini.Value("ussr", "ToBegin"));
    EXPECT_FALSE(ini.Value("germany", "R87_T62A"));
}

TEST(IniFile, ReadsLinesAsTheProfileReaderDoes) {
    const auto ini = IniFile::FromText(
        "\xEF\xBB\xBF"
        "top=before any section\r\n"
        "; comment=not a key\r\n"
        "  [ spaced ]  \r"
        "  key  =  padded value \t\n"
        "formula=a=b\n"
        "empty=\n"
        "key=second\n"
        "no equals sign\n"
        "[unclosed\n"
        "k=v");
    EXPECT_EQ(ini.Value("", "top"), "before any section");
    EXPECT_FALSE(ini.Value("", "; comment"));
    EXPECT_EQ(ini.Value("spaced", "key"), "padded value");
    EXPECT_EQ(ini.Value("spaced", "formula"), "a=b");
    EXPECT_EQ(ini.Value("spaced", "empty"), "");
    EXPECT_FALSE(ini.Value("spaced", "no equals sign"));
    EXPECT_EQ(ini.Value("unclosed", "k"), "v");
}

TEST(IniFile, FirstLineOfARepeatedKeyWins) {
    const auto ini = IniFile::FromText("[a]\nk=1\nK=2\n[b]\nk=3\n[A]\nk=4\nonly=5\n");
    EXPECT_EQ(ini.Value("a", "k"), "1");
    EXPECT_EQ(ini.Value("b", "k"), "3");
    EXPECT_EQ(ini.Value("a", "only"), "5");
}

TEST(IniFile, ReadsATextThatIsNotUtf8AsWindows1251) {
    // "[Танки]\nИС-3=ИС-3 ёж" in windows-1251.
    const auto ini = IniFile::FromText("[\xD2\xE0\xED\xEA\xE8]\n\xC8\xD1-3=\xC8\xD1-3 \xB8\xE6\n");
    EXPECT_EQ(ini.Value("ТАНКИ", "ис-3"), "ИС-3 ёж");
}

TEST(IniFile, AbsentFileGivesEveryLookupAbsent) {
    test::TempFolder folder;
    const auto ini = IniFile::Load(folder.File("tanks.ini"));
    EXPECT_FALSE(ini.Present());
    EXPECT_FALSE(ini.Value("ussr", "T-34"));
    EXPECT_FALSE(IniFile().Present());
}

TEST(IniFile, LoadsAWindows1251FileFromDisk) {
    test::TempFolder folder;
    test::WriteBytesFile(folder.File("tanks.ini"), "[ussr]\r\nKV-1s=\xCA\xC2-1\xF1\r\n");
    const auto ini = IniFile::Load(folder.File("tanks.ini"));
    EXPECT_TRUE(ini.Present());
    EXPECT_EQ(ini.Value("ussr", "kv-1S"), "КВ-1с");
}

TEST(VehicleNameFromIni, LooksUpNationSectionAndCodeKey) {
    const auto ini = IniFile::FromText("[ussr]\nR87_T62A=Т-62А\nA:B=с двоеточием\n[]\nbare=x\n");
    struct Case {
        const char* code;
        const char* name;
    };
    const Case cases[] = {
        {"ussr:R87_T62A", "Т-62А"},
        {"USSR:r87_t62a", "Т-62А"},
        {"ussr:A:B", "с двоеточием"},              // the key is everything after the first colon
        {"ussr:T-34", "ussr:T-34"},                // key absent
        {"germany:R87_T62A", "germany:R87_T62A"},  // section absent
        {"R87_T62A", "R87_T62A"},                  // no colon: nameless section, the whole text
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VehicleNameFromIni(ini, c.code), c.name) << c.code;
    EXPECT_EQ(VehicleNameFromIni(IniFile(), "ussr:R87_T62A"), "ussr:R87_T62A");
}

TEST(VehicleNameFromIni, ShippedFileNamesTheVehicles) {
    const auto ini = IniFile::Load(KORDEX_SHIPPED_INI);
    ASSERT_TRUE(ini.Present());
    EXPECT_EQ(VehicleNameFromIni(ini, "ussr:R87_T62A"), "Т-62А");
    EXPECT_EQ(VehicleNameFromIni(ini, "ussr:T-34"), "Т-34");
    EXPECT_EQ(VehicleNameFromIni(ini, "germany:G04_PzVI_Tiger_I"), "Tiger I");
    EXPECT_EQ(VehicleNameFromIni(ini, "ussr:No_Such_Tank"), "ussr:No_Such_Tank");
}

TEST(VehicleNameFromIni, EveryShippedEntryGivesItsFirstValue) {
    const std::string bytes = test::ReadFileBytes(KORDEX_SHIPPED_INI);
    ASSERT_FALSE(bytes.empty());
    const auto ini = IniFile::FromText(bytes);

    // Walk the lines independently of the reader; a repeated key keeps its first value.
    std::map<std::string, std::string> firstValues;
    std::istringstream lines(bytes);
    std::string line, section;
    while (std::getline(lines, line)) {
        const auto parsed = ClassifyIniLine(line);
        if (parsed.kind == IniLine::Kind::Section)
            section = parsed.name;
        else if (parsed.kind == IniLine::Kind::Entry)
            firstValues.emplace(FoldLetterCase(section + ":" + std::string(parsed.name)),
                                std::string(parsed.value));
    }
    EXPECT_GT(firstValues.size(), 1000u);
    for (const auto& [code, value] : firstValues)
        EXPECT_EQ(VehicleNameFromIni(ini, code), value) << code;
}

}  // namespace
}  // namespace kordex
