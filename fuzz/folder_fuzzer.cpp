// A replay folder made of the input's pieces: files with names and bytes from the input, folders
// and pipes named like replays, links to other entries and to a file that fails while read. The
// library scan goes over it: a row per regular replay file, the scan ends (or stops at the read
// error as the window's does), and nothing in the folder changes.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "library/library_scan.h"
#include "library/library_tables.h"
#include "library/replay_files.h"
#include "platform/headless_desktop.h"
#include "platform/kordex_error.h"
#include "text/ini_file.h"

namespace {

namespace fs = std::filesystem;
using namespace kordex;

// Pieces are separated by this line; a piece is "KIND NAME\n" then the bytes of a file.
constexpr std::string_view kSeparator = "\n--\n";

const fs::path& Folder() {
    static const fs::path folder = [] {
        std::string path = (fs::temp_directory_path() / "kordex-folder-fuzz-XXXXXX").string();
        FUZZ_CHECK(::mkdtemp(path.data()) != nullptr);
        return fs::path(path);
    }();
    return folder;
}

// A name the file system takes: no "/" and no zero byte, not "." or "..", not too long.
std::string SafeName(std::string_view text, int index) {
    std::string name;
    for (char c : text.substr(0, 200))
        if (c != '/' && c != '\0')
            name += c;
    if (name.empty() || name == "." || name == "..")
        name = "piece";
    return std::to_string(index) + name;
}

void Make(const fs::path& folder, char kind, const std::string& name, std::string_view bytes,
          const std::string& previous) {
    const fs::path path = folder / name;
    std::error_code error;
    switch (kind) {
        case 'd':  // a folder, named like a replay or not
            fs::create_directory(path, error);
            break;
        case 'p':  // a pipe nobody writes to
            ::mkfifo(path.c_str(), 0600);
            break;
        case 'l':  // a link to the entry before
            fs::create_symlink(previous.empty() ? "nothing" : previous, path, error);
            break;
        case 'e':  // a link to a file that fails with an I/O error at the first read
            fs::create_symlink("/proc/self/mem", path, error);
            break;
        default: {
            std::FILE* file = std::fopen(path.c_str(), "wb");
            if (file) {
                std::fwrite(bytes.data(), 1, bytes.size(), file);
                std::fclose(file);
            }
        }
    }
}

// Every entry with its kind and size: what a scan must leave as it found it.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        struct stat info {};
        ::lstat(entry.path().c_str(), &info);
        entries[entry.path().string()] =
            std::to_string(info.st_mode) + " " + std::to_string(info.st_size);
    }
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const fs::path& folder = Folder();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        fs::remove_all(entry.path(), error);

    // At most 16 pieces, into the folder or its favourites folder.
    fs::create_directory(folder / "[Избранное]", error);
    std::string previous;
    std::size_t start = 0;
    for (int index = 0; index < 16 && start <= input.size(); ++index) {
        std::size_t end = input.find(kSeparator, start);
        if (end == std::string_view::npos)
            end = input.size();
        const std::string_view piece = input.substr(start, end - start);
        start = end + kSeparator.size();
        const std::size_t lineEnd = std::min(piece.find('\n'), piece.size());
        const std::string_view line = piece.substr(0, lineEnd);
        const char kind = line.empty() ? 'f' : line[0];
        std::string name = SafeName(line.size() > 1 ? line.substr(1) : line, index);
        if (index % 3 == 0)
            name += ".wotreplay";
        const fs::path where = index % 4 == 3 ? folder / "[Избранное]" : folder;
        Make(where, kind, name, piece.substr(std::min(lineEnd + 1, piece.size())), previous);
        previous = name;
    }
    const auto before = Snapshot(folder);

    LibraryTables tables;
    HeadlessDesktop desktop;
    bool stopped = false;
    try {
        ProcessReplays(folder.string(), tables, IniFile(), desktop);
    } catch (const KordexError&) {
        stopped = true;  // a read error ends the scan, as in the window
    }
    const std::string prefix = WithFinalSeparator(folder.string());
    FUZZ_CHECK(tables.allReplays.RowCount() ==
               static_cast<int>(FindReplayFiles(prefix).size()) + 1);
    FUZZ_CHECK(tables.favoriteReplays.RowCount() ==
               static_cast<int>(FindReplayFiles(prefix + "[Избранное]/").size()) + 1);
    if (!stopped)
        for (int row = 1; row < tables.allReplays.RowCount(); ++row)
            FUZZ_CHECK(!tables.allReplays.Cell(library_column::Path, row).empty());
    FUZZ_CHECK(Snapshot(folder) == before);
    return 0;
}
