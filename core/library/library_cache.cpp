#include "library/library_cache.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "library/library_tables.h"
#include "platform/file_io.h"
#include "text/little_endian.h"

#ifndef KORDEX_VERSION
#define KORDEX_VERSION "dev"
#endif

namespace kordex {

// Raised by hand whenever a change makes some replay's row read differently.
const char* const kLibraryRowsRevision = "1";

namespace {

constexpr std::string_view kMagic = "Kordex library rows\n";

std::string ProgramIdentity() {
    return std::string(KORDEX_VERSION) + "/" + kLibraryRowsRevision;
}

// FNV-1a taken eight bytes at a time, the last few one by one: enough to tell a damaged or
// foreign file from a whole one (each step is one-to-one, so any one changed word changes the
// hash), and quick over the megabytes of a big folder's cache.
std::uint64_t Hash(std::string_view bytes) {
    constexpr std::uint64_t kPrime = 1099511628211ULL;
    std::uint64_t hash = 1469598103934665603ULL;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        hash ^= LittleEndian(bytes.substr(i), 8);
        hash *= kPrime;
    }
    for (; i < bytes.size(); ++i) {
        hash ^= static_cast<unsigned char>(bytes[i]);
        hash *= kPrime;
    }
    return hash;
}

void PutNumber(std::string& out, std::uint64_t value) {
    char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    out.append(bytes, 8);
}

void PutText(std::string& out, std::string_view text) {
    PutNumber(out, text.size());
    out.append(text);
}

// Reads the cache's bytes front to back; any read past the end fails the whole reading.
class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool Number(std::uint64_t& value) {
        if (bytes_.size() - at_ < 8)
            return false;
        value = LittleEndian(bytes_.substr(at_), 8);
        at_ += 8;
        return true;
    }
    bool Text(std::string& text) {
        std::uint64_t size = 0;
        if (!Number(size) || size > bytes_.size() - at_)
            return false;
        text.assign(bytes_.substr(at_, size));
        at_ += size;
        return true;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

  private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

bool IsDirectlyIn(const std::string& path, const std::string& folder) {
    return path.starts_with(folder) && path.find('/', folder.size()) == std::string::npos;
}

bool KnownKind(std::uint64_t kind) {
    return kind <= static_cast<std::uint64_t>(LibraryRowKind::Early);
}

}  // namespace

std::optional<FileStamp> StampOf(const std::string& path) {
#ifdef _WIN32
    namespace fs = std::filesystem;
    const fs::path file = Utf8Path(path);
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (error)
        return std::nullopt;
    const auto modified = fs::last_write_time(file, error);
    if (error)
        return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(size),
                     static_cast<std::int64_t>(modified.time_since_epoch().count())};
#else
    // One look at the file, not one for the size and one for the time: a rescan of a big
    // folder does little else. The time in the units std::filesystem gives, as on Windows.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    using namespace std::chrono;
    const sys_time<nanoseconds> written{seconds(status.st_mtim.tv_sec) +
                                        nanoseconds(status.st_mtim.tv_nsec)};
    const std::filesystem::file_time_type modified =
        time_point_cast<std::filesystem::file_time_type::duration>(file_clock::from_sys(written));
    return FileStamp{static_cast<std::uint64_t>(status.st_size),
                     static_cast<std::int64_t>(modified.time_since_epoch().count())};
#endif
}

LibraryRowCache::LibraryRowCache(std::string iniFingerprint)
    : iniFingerprint_(std::move(iniFingerprint)) {}

const LibraryRow* LibraryRowCache::Find(const std::string& path, const FileStamp& stamp) const {
    const auto found = entries_.find(path);
    if (found == entries_.end() || !(found->second.stamp == stamp))
        return nullptr;
    return &found->second.row;
}

void LibraryRowCache::Keep(const std::string& path, const FileStamp& stamp, LibraryRow row) {
    entries_.insert_or_assign(path, Entry{stamp, std::move(row)});
}

std::size_t LibraryRowCache::ForgetFoldersBut(const std::vector<std::string>& folders,
                                              const std::unordered_set<std::string_view>& paths) {
    return std::erase_if(entries_, [&](const auto& entry) {
        const std::string& path = entry.first;
        return std::any_of(folders.begin(), folders.end(),
                           [&](const std::string& folder) { return IsDirectlyIn(path, folder); }) &&
               !paths.contains(path);
    });
}

std::string LibraryRowCache::Bytes() const {
    std::string out(kMagic);
    PutText(out, ProgramIdentity());
    PutText(out, iniFingerprint_);
    PutNumber(out, entries_.size());
    for (const auto& [path, entry] : entries_) {
        PutText(out, path);
        PutNumber(out, entry.stamp.size);
        PutNumber(out, static_cast<std::uint64_t>(entry.stamp.modified));
        PutNumber(out, static_cast<std::uint64_t>(entry.row.kind));
        PutNumber(out, entry.row.cells.size());
        for (const std::string& cell : entry.row.cells)
            PutText(out, cell);
    }
    PutNumber(out, Hash(out));
    return out;
}

std::optional<LibraryRowCache> LibraryRowCache::FromBytes(std::string_view bytes,
                                                          const std::string& iniFingerprint) {
    if (!bytes.starts_with(kMagic) || bytes.size() < kMagic.size() + 8)
        return std::nullopt;
    const std::string_view body = bytes.substr(0, bytes.size() - 8);
    std::uint64_t checksum = 0;
    Reader tail(bytes.substr(body.size()));
    if (!tail.Number(checksum) || checksum != Hash(body))
        return std::nullopt;

    Reader reader(body.substr(kMagic.size()));
    std::string program, ini;
    std::uint64_t count = 0;
    if (!reader.Text(program) || program != ProgramIdentity() || !reader.Text(ini) ||
        ini != iniFingerprint || !reader.Number(count))
        return std::nullopt;
    LibraryRowCache cache(iniFingerprint);
    // Every entry takes at least its numbers' bytes: a damaged count reserves no more.
    constexpr std::uint64_t kLeastEntryBytes = 8 * (5 + kLibraryColumns);
    cache.entries_.reserve(
        static_cast<std::size_t>(std::min(count, body.size() / kLeastEntryBytes)));
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string path;
        FileStamp stamp;
        std::uint64_t modified = 0, kind = 0, cellCount = 0;
        if (!reader.Text(path) || !reader.Number(stamp.size) || !reader.Number(modified) ||
            !reader.Number(kind) || !KnownKind(kind) || !reader.Number(cellCount) ||
            cellCount != static_cast<std::uint64_t>(kLibraryColumns))
            return std::nullopt;
        stamp.modified = static_cast<std::int64_t>(modified);
        LibraryRow row;
        row.kind = static_cast<LibraryRowKind>(kind);
        row.cells.resize(kLibraryColumns);
        for (std::string& cell : row.cells)
            if (!reader.Text(cell))
                return std::nullopt;
        cache.Keep(path, stamp, std::move(row));
    }
    if (!reader.AtEnd())
        return std::nullopt;
    return cache;
}

std::string IniFingerprint(std::string_view iniBytes) {
    return std::to_string(iniBytes.size()) + ":" + std::to_string(Hash(iniBytes));
}

}  // namespace kordex
