#include "export/export_file.h"

#include <gtest/gtest.h>

#include "export/html_text.h"
#include "platform/kordex_error.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

using test::FolderEntries;
using test::ReadFileBytes;
using test::TempFolder;

TEST(ExportFile, TimeStampAndProgramFolder) {
    EXPECT_EQ(FileTimeStamp({2017, 5, 7, 9, 4, 3}), "2017.05.07 09.04.03");
    EXPECT_EQ(ProgramFilePath("/opt/kordex", "table.xlsx"), "/opt/kordex/table.xlsx");
    EXPECT_EQ(ProgramFilePath("/opt/kordex/", "table.xlsx"), "/opt/kordex/table.xlsx");
}

TEST(ExportFile, ReplacesAnOlderFile) {
    TempFolder folder;
    const auto path = folder.File("page.htm");
    WriteFileReplacing(path, std::string_view("old and longer"));
    WriteFileReplacing(path, std::string_view("new"));
    EXPECT_EQ(ReadFileBytes(path), "new");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"page.htm"});
}

TEST(ExportFile, FailedWriteLeavesTheOlderFileAndNoPartialOne) {
    TempFolder folder;
    const auto path = folder.File("table.xlsx");
    WriteFileReplacing(path, std::string_view("complete"));

    const auto halfWritten = [](const std::string& scratchPath) {
        WriteFileReplacing(scratchPath, std::string_view("half"));
        return false;
    };
    EXPECT_THROW(BytesWrittenToScratch(path, halfWritten), KordexError);
    const auto throwing = [](const std::string& scratchPath) -> bool {
        WriteFileReplacing(scratchPath, std::string_view("half"));
        throw KordexError("writer failed");
    };
    EXPECT_THROW(BytesWrittenToScratch(path, throwing), KordexError);
    const auto whole = [](const std::string& scratchPath) {
        WriteFileReplacing(scratchPath, std::string_view("whole"));
        return true;
    };
    EXPECT_EQ(BytesWrittenToScratch(path, whole), "whole");

    EXPECT_EQ(ReadFileBytes(path), "complete");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"table.xlsx"});
}

TEST(ExportFile, MissingFolderIsAnErrorNamingTheFile) {
    TempFolder folder;
    const auto path = folder.File("gone/page.htm");
    try {
        WriteFileReplacing(path, std::string_view("x"));
        FAIL() << "no error";
    } catch (const KordexError& error) {
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
    }
}

TEST(HtmlText, PageBytesAreWindows1251WithReferencesForTheRest) {
    const struct {
        std::string line;
        std::string bytes;
    } cases[] = {
        {"Победа", "\xCF\xEE\xE1\xE5\xE4\xE0\r\n"},
        {"Ёё€№", "\xA8\xB8\x88\xB9\r\n"},
        {"Ω_ü", "&#937;_&#252;\r\n"},
        {"Tank😀", "Tank&#128512;\r\n"},
        {"bad\xFF"
         "byte",
         "bad&#65533;byte\r\n"},
        {"", "\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageFileBytes({c.line}), c.bytes) << c.line;
}

}  // namespace
}  // namespace kordex
