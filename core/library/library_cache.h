#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "library/library_row.h"

namespace kordex {

// What says that a file is still the one whose row was kept: its size and modification time.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // the file system's own time units

    bool operator==(const FileStamp&) const = default;
};

// The stamp of a file as it is now; nothing when it cannot be looked at.
std::optional<FileStamp> StampOf(const std::string& path);

// The rows of earlier scans, by full path, each valid while its file keeps its stamp. Rows
// depend on the program that read them and on the vehicle names of tanks.ini: a cache holds
// both identities and is used only by the same program with the same tanks.ini.
class LibraryRowCache {
  public:
    // An empty cache for this program and this tanks.ini text.
    explicit LibraryRowCache(std::string iniFingerprint);

    // The row kept for the path, when its stamp is still the same.
    const LibraryRow* Find(const std::string& path, const FileStamp& stamp) const;
    void Keep(const std::string& path, const FileStamp& stamp, LibraryRow row);
    std::size_t Size() const { return entries_.size(); }
    // Forgets the rows of the files directly in one of the folders (each given with its final
    // "/"), but those of the paths; how many went.
    std::size_t ForgetFoldersBut(const std::vector<std::string>& folders,
                                 const std::unordered_set<std::string_view>& paths);

    // The cache as the bytes of its file, and back. Bytes that are not a whole cache of this
    // program and this tanks.ini give nothing: such a cache is rebuilt, never trusted.
    std::string Bytes() const;
    static std::optional<LibraryRowCache> FromBytes(std::string_view bytes,
                                                    const std::string& iniFingerprint);

    const std::string& IniFingerprint() const { return iniFingerprint_; }

  private:
    struct Entry {
        FileStamp stamp;
        LibraryRow row;
    };
    std::string iniFingerprint_;
    std::unordered_map<std::string, Entry> entries_;
};

// The identity of a tanks.ini text (absent file: empty text).
std::string IniFingerprint(std::string_view iniBytes);

// What a change to the rows a scan makes must change, so that older caches are not used.
extern const char* const kLibraryRowsRevision;

}  // namespace kordex
