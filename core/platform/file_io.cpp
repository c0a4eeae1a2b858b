#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>

namespace kordex {

namespace fs = std::filesystem;

namespace {

std::string ErrorText(int error) {
    return std::strerror(error);
}

FileResult SystemFailure(FileFault fault, int error) {
    return FileResult::Failure(fault, ErrorText(error));
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

}  // namespace

fs::path Utf8Path(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

FileResult FileResult::Failure(FileFault fault, std::string reason) {
    return FileResult{fault, std::move(reason)};
}

ReadableFile::ReadableFile(ReadableFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)) {}

ReadableFile& ReadableFile::operator=(ReadableFile&& other) noexcept {
    if (this != &other) {
        if (handle_ >= 0)
            ::close(handle_);
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

ReadableFile::~ReadableFile() {
    if (handle_ >= 0)
        ::close(handle_);
}

FileResult ReadableFile::Open(const fs::path& path, ReadableFile& file, FileFaults* faults) {
    if (faults)
        if (const int error = faults->BeforeOpen(path))
            return SystemFailure(FileFault::Open, error);
    // Non-blocking, so that a pipe without a writer does not hold the open; the check below
    // then turns everything but a regular file away before the first read.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0)
        return SystemFailure(errno == ENOENT ? FileFault::Absent : FileFault::Open, errno);
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0)
        return SystemFailure(FileFault::Open, errno);
    if (!S_ISREG(status.st_mode))
        return FileResult::Failure(FileFault::NotRegularFile, "это не обычный файл");
    file = ReadableFile();
    file.handle_ = fd.Release();
    return {};
}

FileResult ReadableFile::Read(char* buffer, std::size_t size, std::size_t& count) {
    count = 0;
    while (true) {
        const ssize_t n = ::read(handle_, buffer, size);
        if (n >= 0) {
            count = static_cast<std::size_t>(n);
            return {};
        }
        if (errno != EINTR)
            return SystemFailure(FileFault::Read, errno);
    }
}

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
                return SystemFailure(FileFault::Write, error);
        // Exclusive and without following a link: whatever lies under that name, planted or
        // the user's own, is never opened, written or replaced.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST)
            return SystemFailure(FileFault::Write, errno);
    }
    if (fd < 0)
        return SystemFailure(FileFault::Write, EEXIST);

    Descriptor file(fd);
    auto fail = [&](int error) {
        file.Close();
        ::unlink(temporary.c_str());
        return SystemFailure(FileFault::Write, error);
    };
    if (const int error = WriteAll(file.Get(), bytes, faults))
        return fail(error);
    if (existed && ::fchmod(file.Get(), old.st_mode & 07777) != 0)
        return fail(errno);
    if (::fsync(file.Get()) != 0)
        return fail(errno);
    if (const int error = file.Close()) {
        ::unlink(temporary.c_str());
        return SystemFailure(FileFault::Write, error);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return SystemFailure(FileFault::Write, error);
    }
    SyncFolder(target.parent_path());
    return {};
}

}  // namespace kordex
