#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kordex {

// The one place where Kordex opens, reads and replaces files. Every operation returns a value
// the caller has to look at: success, or the reason it failed in words for a message.

// A path from the UTF-8 text the rest of the program keeps; never through a code page.
std::filesystem::path Utf8Path(std::string_view utf8);

// What went wrong, for the callers that answer kinds differently (an absent settings file is
// not written, a replay that cannot be opened gets its own row).
enum class FileFault { None, Absent, NotRegularFile, Open, Read, TooLarge, ReadOnly, Write };

struct [[nodiscard]] FileResult {
    FileFault fault = FileFault::None;
    std::string reason;  // the system's words for the failure; empty on success

    bool Ok() const { return fault == FileFault::None; }
    explicit operator bool() const { return Ok(); }
    static FileResult Failure(FileFault fault, std::string reason);
};

// Faults planted into the real operations by tests: each hook returns an error number to
// fail with (ENOSPC for a full disk), or 0 to go on.
class FileFaults {
  public:
    virtual ~FileFaults() = default;
    virtual int BeforeOpen(const std::filesystem::path&) { return 0; }
    // Before `count` bytes are written at `offset`; may lower `count` to write only part.
    virtual int BeforeWrite(std::uint64_t /*offset*/, std::size_t& /*count*/) { return 0; }
};

// A file opened for reading. Only a regular file opens: a pipe, device or folder would block
// the open or the reads for ever, and is an open failure. The open itself never waits.
class ReadableFile {
  public:
    ReadableFile() = default;
    ReadableFile(ReadableFile&& other) noexcept;
    ReadableFile& operator=(ReadableFile&& other) noexcept;
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;
    ~ReadableFile();

    static FileResult Open(const std::filesystem::path& path, ReadableFile& file,
                           FileFaults* faults = nullptr);
    static FileResult Open(const std::string&, ReadableFile&, FileFaults* = nullptr) = delete;

    // Reads up to `size` bytes into `buffer`; `count` is 0 at the end of the file.
    FileResult Read(char* buffer, std::size_t size, std::size_t& count);
    bool IsOpen() const { return handle_ != kClosed; }

  private:
    // A descriptor, or on Windows a HANDLE; -1 is no file on both.
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;
};

struct [[nodiscard]] FileBytes {
    FileResult result;
    std::string bytes;
};

// A whole regular file of at most `limit` bytes; a longer one is FileFault::TooLarge.
FileBytes ReadWholeFile(const std::filesystem::path& path, std::size_t limit,
                        FileFaults* faults = nullptr);
// A narrow string would become a path through the ANSI code page on Windows: callers give
// Utf8Path's instead.
FileBytes ReadWholeFile(const std::string&, std::size_t, FileFaults* = nullptr) = delete;
FileBytes ReadWholeFile(const char*, std::size_t, FileFaults* = nullptr) = delete;

// Replaces the file's content with `bytes` so that a crash or a full disk leaves either the old
// or the new file whole: the bytes go into a temporary file made beside it under a unique name
// (never through a link of that name), reach the disk, and are renamed over the target. When
// the target is a link, the file it names is replaced and the link stays. A replaced file keeps
// its permissions; one the user made read-only is not replaced (FileFault::ReadOnly).
FileResult ReplaceFile(const std::filesystem::path& path, std::string_view bytes,
                       FileFaults* faults = nullptr);
FileResult ReplaceFile(const std::string&, std::string_view, FileFaults* = nullptr) = delete;
FileResult ReplaceFile(const char*, std::string_view, FileFaults* = nullptr) = delete;

}  // namespace kordex
