#include "platform/file_io.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "support/failing_file_system.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

namespace fs = std::filesystem;
using Fault = test::FailingFileSystem::Fault;
using test::PathOf;

void Write(const std::string& path, std::string_view bytes) {
    ASSERT_TRUE(ReplaceFile(PathOf(path), bytes)) << path;
}

#ifndef _WIN32
mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}
#endif

TEST(ReadWholeFile, ReadsRegularFilesOnlyAndSaysWhy) {
    test::TempFolder folder;
    Write(folder.File("file"), std::string_view("bytes\0inside", 12));
    fs::create_directory(PathOf(folder.File("folder")));
    struct Case {
        std::string name;
        FileFault fault;
        std::string bytes;
    };
    std::vector<Case> cases = {
        {"file", FileFault::None, std::string("bytes\0inside", 12)},
        {"absent", FileFault::Absent, ""},
        {"absent folder/file", FileFault::Absent, ""},
        {"folder", FileFault::NotRegularFile, ""},
    };
#ifndef _WIN32
    // Links and pipes in a folder are the POSIX user's; on Windows links need a privilege.
    ASSERT_EQ(::mkfifo(folder.File("pipe").c_str(), 0600), 0);
    fs::create_symlink(folder.File("file"), folder.File("link"));
    cases.push_back({"link", FileFault::None, std::string("bytes\0inside", 12)});
    // A pipe without a writer would hold a blocking open for ever.
    cases.push_back({"pipe", FileFault::NotRegularFile, ""});
#endif
    for (const auto& c : cases) {
        const FileBytes read = ReadWholeFile(PathOf(folder.File(c.name)), 1000);
        EXPECT_EQ(read.result.fault, c.fault) << c.name;
        EXPECT_EQ(read.result.reason.empty(), c.fault == FileFault::None) << c.name;
        EXPECT_EQ(read.bytes, c.bytes) << c.name;
    }
    const FileBytes tooLong = ReadWholeFile(PathOf(folder.File("file")), 11);
    EXPECT_EQ(tooLong.result.fault, FileFault::TooLarge);
    EXPECT_TRUE(tooLong.bytes.empty());
    test::FailingFileSystem refusing(Fault::RefuseOpen);
    EXPECT_EQ(refusing.ReadFile(PathOf(folder.File("file")), 1000).result.fault, FileFault::Open);
}

TEST(ReplaceFile, KeepsModeLinkAndNothingBeside) {
    test::TempFolder folder;
    const auto path = folder.File("страница с пробелом.htm");
    Write(path, "old and longer");
    Write(path, "new");
    EXPECT_EQ(test::ReadFileBytes(path), "new");
#ifndef _WIN32
    ::chmod(path.c_str(), 0640);
    Write(path, "newer");
    EXPECT_EQ(ModeOf(path), 0640u);

    // Through a link: the file it names changes, the link stays.
    fs::create_symlink("страница с пробелом.htm", folder.File("link.htm"));
    Write(folder.File("link.htm"), "through the link");
    EXPECT_TRUE(fs::is_symlink(folder.File("link.htm")));
    EXPECT_EQ(test::ReadFileBytes(path), "through the link");
    EXPECT_EQ(test::FolderEntries(folder.Path()),
              (std::vector<std::string>{"link.htm", "страница с пробелом.htm"}));
#else
    Write(path, "through the link");
    EXPECT_EQ(test::FolderEntries(folder.Path()),
              std::vector<std::string>{"страница с пробелом.htm"});
#endif

    // A file the user made read-only is left alone, whoever runs the program.
    fs::permissions(PathOf(path),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const FileResult readOnly = ReplaceFile(PathOf(path), "x");
    EXPECT_EQ(readOnly.fault, FileFault::ReadOnly);
    EXPECT_EQ(test::ReadFileBytes(path), "through the link");
    // Neither a folder nor a file under a missing folder is made a file.
    fs::create_directory(PathOf(folder.File("folder")));
    EXPECT_EQ(ReplaceFile(PathOf(folder.File("folder")), "x").fault, FileFault::NotRegularFile);
    EXPECT_FALSE(ReplaceFile(PathOf(folder.File("gone/page.htm")), "x"));
    // Windows removes no read-only file, the temporary folder's neither.
    fs::permissions(PathOf(path), fs::perms::owner_write, fs::perm_options::add);
}

TEST(ReplaceFile, AFaultLeavesTheOldFileWholeAndNoTemporaryFile) {
    for (const Fault fault : {Fault::RefuseOpen, Fault::FailMidWrite, Fault::FillDisk}) {
        test::TempFolder folder;
        const auto path = folder.File("table.xlsx");
        Write(path, "complete");
        test::FailingFileSystem files(fault, 2);
        const FileResult result = files.ReplaceFile(PathOf(path), "a longer replacement");
        EXPECT_EQ(result.fault, FileFault::Write) << static_cast<int>(fault);
        EXPECT_FALSE(result.reason.empty());
        EXPECT_EQ(test::ReadFileBytes(path), "complete");
        EXPECT_EQ(test::FolderEntries(folder.Path()), std::vector<std::string>{"table.xlsx"});
        // A new file that fails is not left half-made either.
        EXPECT_FALSE(files.ReplaceFile(PathOf(folder.File("new.htm")), "a longer replacement"));
        EXPECT_EQ(test::FolderEntries(folder.Path()), std::vector<std::string>{"table.xlsx"});
    }
    test::FailingFileSystem full(Fault::FillDisk, 0);
    EXPECT_EQ(full.ReplaceFile(PathOf(test::TempFolder().File("x")), "x").reason,
              std::strerror(ENOSPC));
}

}  // namespace
}  // namespace kordex
