#include "platform/file_io.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h maps ReplaceFile to its own ReplaceFileW; ours is meant here.
#undef ReplaceFile
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>

namespace kordex {

namespace fs = std::filesystem;

namespace {

// A failure with an error number (from the system on POSIX, from a planted fault anywhere).
FileResult ErrnoFailure(FileFault fault, int error) {
    return FileResult::Failure(fault, std::strerror(error));
}

// The file a replacement writes: the target of a link (followed to its end), or the path.
fs::path ReplacedFile(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    const fs::path target = fs::weakly_canonical(path, error);
    return error ? path : target;
}

// A name beside the target that no other file holds: the open below makes it or fails.
fs::path TemporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937_64 random{std::random_device{}()};
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, ".%08x%04x.tmp", static_cast<unsigned>(random()),
                  counter++ & 0xffffu);
    fs::path name = target;
    name += suffix;
    return name;
}

#ifdef _WIN32

// The system's own words for the error, in the user's language, as UTF-8.
std::string WindowsErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string utf8;
    if (length > 0) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                             nullptr, nullptr);
        utf8.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8.data(), size, nullptr,
                            nullptr);
    }
    LocalFree(text);
    // The messages end in a full stop and a line break; callers put their own punctuation.
    while (!utf8.empty() &&
           (utf8.back() == '\n' || utf8.back() == '\r' || utf8.back() == ' ' || utf8.back() == '.'))
        utf8.pop_back();
    return utf8.empty() ? "ошибка Windows " + std::to_string(error) : utf8;
}

FileResult WindowsFailure(FileFault fault, DWORD error) {
    return FileResult::Failure(fault, WindowsErrorText(error));
}

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

void CloseFile(std::intptr_t handle) {
    CloseHandle(AsHandle(handle));
}

// Closes the handle on every way out unless it was handed on.
class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    HANDLE Get() const { return handle_; }
    HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
    // Closes now: a close can report a write the disk refused.
    DWORD Close() { return CloseHandle(Release()) ? 0 : GetLastError(); }

  private:
    HANDLE handle_;
};

bool IsAbsentError(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

#else

void CloseFile(std::intptr_t handle) {
    ::close(static_cast<int>(handle));
}

// Closes the descriptor on every way out unless it was handed on.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }
    // Closes now: a close can report a write the disk refused.
    int Close() { return ::close(Release()) == 0 ? 0 : errno; }

  private:
    int fd_;
};

int WriteAll(int fd, std::string_view bytes, FileFaults* faults) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t count = bytes.size() - written;
        if (faults)
            if (const int error = faults->BeforeWrite(written, count))
                return error;
        const ssize_t n = ::write(fd, bytes.data() + written, count);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

// Makes a renamed entry durable: the folder's own record of it reaches the disk.
void SyncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

#endif

}  // namespace

fs::path Utf8Path(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

FileResult FileResult::Failure(FileFault fault, std::string reason) {
    return FileResult{fault, std::move(reason)};
}

ReadableFile::ReadableFile(ReadableFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kClosed)) {}

ReadableFile& ReadableFile::operator=(ReadableFile&& other) noexcept {
    if (this != &other) {
        if (IsOpen())
            CloseFile(handle_);
        handle_ = std::exchange(other.handle_, kClosed);
    }
    return *this;
}

ReadableFile::~ReadableFile() {
    if (IsOpen())
        CloseFile(handle_);
}

#ifdef _WIN32

FileResult ReadableFile::Open(const fs::path& path, ReadableFile& file, FileFaults* faults) {
    if (faults)
        if (const int error = faults->BeforeOpen(path))
            return ErrnoFailure(FileFault::Open, error);
    // Others may read beside us but not write: a replay the game still holds open for writing
    // is half-written, and its open fails with a sharing violation.
    Handle handle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle.Get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (IsAbsentError(error))
            return WindowsFailure(FileFault::Absent, error);
        // A folder does not open as a file at all.
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return FileResult::Failure(FileFault::NotRegularFile, "это не обычный файл");
        return WindowsFailure(FileFault::Open, error);
    }
    // Devices and pipes ("CON", "\\.\pipe\...") would block the reads.
    if (GetFileType(handle.Get()) != FILE_TYPE_DISK)
        return FileResult::Failure(FileFault::NotRegularFile, "это не обычный файл");
    file = ReadableFile();
    file.handle_ = reinterpret_cast<std::intptr_t>(handle.Release());
    return {};
}

FileResult ReadableFile::Read(char* buffer, std::size_t size, std::size_t& count) {
    count = 0;
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!::ReadFile(AsHandle(handle_), buffer, wanted, &read, nullptr))
        return WindowsFailure(FileFault::Read, GetLastError());
    count = read;
    return {};
}

#else

FileResult ReadableFile::Open(const fs::path& path, ReadableFile& file, FileFaults* faults) {
    if (faults)
        if (const int error = faults->BeforeOpen(path))
            return ErrnoFailure(FileFault::Open, error);
    // Non-blocking, so that a pipe without a writer does not hold the open; the check below
    // then turns everything but a regular file away before the first read.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0)
        return ErrnoFailure(errno == ENOENT ? FileFault::Absent : FileFault::Open, errno);
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0)
        return ErrnoFailure(FileFault::Open, errno);
    if (!S_ISREG(status.st_mode))
        return FileResult::Failure(FileFault::NotRegularFile, "это не обычный файл");
    file = ReadableFile();
    file.handle_ = fd.Release();
    return {};
}

FileResult ReadableFile::Read(char* buffer, std::size_t size, std::size_t& count) {
    count = 0;
    while (true) {
        const ssize_t n = ::read(static_cast<int>(handle_), buffer, size);
        if (n >= 0) {
            count = static_cast<std::size_t>(n);
            return {};
        }
        if (errno != EINTR)
            return ErrnoFailure(FileFault::Read, errno);
    }
}

#endif

FileBytes ReadWholeFile(const fs::path& path, std::size_t limit, FileFaults* faults) {
    FileBytes read;
    ReadableFile file;
    read.result = ReadableFile::Open(path, file, faults);
    if (!read.result)
        return read;
    char chunk[64 * 1024];
    while (true) {
        std::size_t count = 0;
        read.result = file.Read(chunk, sizeof chunk, count);
        if (!read.result || count == 0)
            break;
        if (read.bytes.size() + count > limit) {
            read.result = FileResult::Failure(FileFault::TooLarge, "файл слишком велик");
            break;
        }
        read.bytes.append(chunk, count);
    }
    if (!read.result)
        read.bytes.clear();
    return read;
}

#ifdef _WIN32

FileResult ReplaceFile(const fs::path& path, std::string_view bytes, FileFaults* faults) {
    const fs::path target = ReplacedFile(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
    if (existed && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        return FileResult::Failure(FileFault::NotRegularFile, "это не обычный файл");
    // A file the user made read-only stays as it is; the move below would pass over that.
    if (existed && (attributes & FILE_ATTRIBUTE_READONLY))
        return FileResult::Failure(FileFault::ReadOnly, "файл только для чтения");

    fs::path temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; created == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
        temporary = TemporaryName(target);
        if (faults)
            if (const int error = faults->BeforeOpen(temporary))
                return ErrnoFailure(FileFault::Write, error);
        // CREATE_NEW: whatever lies under that name, planted or the user's own, is never
        // opened, written or replaced.
        created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return WindowsFailure(FileFault::Write, GetLastError());
    }
    if (created == INVALID_HANDLE_VALUE)
        return WindowsFailure(FileFault::Write, ERROR_FILE_EXISTS);

    Handle file(created);
    auto discard = [&](FileResult failure) {
        if (file.Get() != INVALID_HANDLE_VALUE)
            file.Close();
        DeleteFileW(temporary.c_str());
        return failure;
    };
    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t count = std::min<std::size_t>(bytes.size() - written, 1u << 30);
        if (faults)
            if (const int error = faults->BeforeWrite(written, count))
                return discard(ErrnoFailure(FileFault::Write, error));
        DWORD n = 0;
        if (!WriteFile(file.Get(), bytes.data() + written, static_cast<DWORD>(count), &n, nullptr))
            return discard(WindowsFailure(FileFault::Write, GetLastError()));
        written += n;
    }
    if (!FlushFileBuffers(file.Get()))
        return discard(WindowsFailure(FileFault::Write, GetLastError()));
    if (const DWORD error = file.Close())
        return discard(WindowsFailure(FileFault::Write, error));
    // Write-through: the move has reached the disk when the call returns.
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return discard(WindowsFailure(FileFault::Write, GetLastError()));
    return {};
}

#else

FileResult ReplaceFile(const fs::path& path, std::string_view bytes, FileFaults* faults) {
    const fs::path target = ReplacedFile(path);
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode))
        return FileResult::Failure(FileFault::NotRegularFile, "это не обычный файл");
    // A file the user made read-only stays as it is; the rename below would pass over that
    // (and so would the superuser's writes).
    if (existed && (old.st_mode & 0222) == 0)
        return FileResult::Failure(FileFault::ReadOnly, "файл только для чтения");

    // A new file gets the usual permissions less the umask, which the open applies; a
    // replaced one gets the old file's once it is written.
    const mode_t mode = existed ? 0600 : 0666;
    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = TemporaryName(target);
        if (faults)
            if (const int error = faults->BeforeOpen(temporary))
                return ErrnoFailure(FileFault::Write, error);
        // Exclusive and without following a link: whatever lies under that name, planted or
        // the user's own, is never opened, written or replaced.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST)
            return ErrnoFailure(FileFault::Write, errno);
    }
    if (fd < 0)
        return ErrnoFailure(FileFault::Write, EEXIST);

    Descriptor file(fd);
    auto fail = [&](int error) {
        file.Close();
        ::unlink(temporary.c_str());
        return ErrnoFailure(FileFault::Write, error);
    };
    if (const int error = WriteAll(file.Get(), bytes, faults))
        return fail(error);
    if (existed && ::fchmod(file.Get(), old.st_mode & 07777) != 0)
        return fail(errno);
    if (::fsync(file.Get()) != 0)
        return fail(errno);
    if (const int error = file.Close()) {
        ::unlink(temporary.c_str());
        return ErrnoFailure(FileFault::Write, error);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return ErrnoFailure(FileFault::Write, error);
    }
    SyncFolder(target.parent_path());
    return {};
}

#endif

}  // namespace kordex
