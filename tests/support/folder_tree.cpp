#include "support/folder_tree.h"

#include <cstdint>
#include <filesystem>

#include "support/file_bytes.h"

namespace kordex::test {

namespace fs = std::filesystem;

namespace {

std::string Utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string Fingerprint(const std::string& bytes) {
    std::uint64_t hash = 1469598103934665603ULL;
    for (unsigned char c : bytes)
        hash = (hash ^ c) * 1099511628211ULL;
    return std::to_string(bytes.size()) + " bytes #" + std::to_string(hash);
}

std::string LargeFileFingerprint(const fs::path& path) {
    std::error_code error;
    const auto size = fs::file_size(path, error);
    const auto changed = fs::last_write_time(path, error).time_since_epoch().count();
    return std::to_string(size) + " bytes changed " + std::to_string(changed);
}

}  // namespace

Tree TreeOf(const std::string& folder) {
    Tree tree;
    const fs::path root(std::u8string(folder.begin(), folder.end()));
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        // Lexically: a link that points at itself must not be followed.
        const std::string relative = Utf8Of(entry.path().lexically_relative(root));
        const std::string path = Utf8Of(entry.path());
        if (entry.is_symlink())
            tree[relative] = "<link>";
        else if (entry.is_directory())
            tree[relative] = "<folder>";
        else if (!entry.is_regular_file())
            tree[relative] = "<special>";
        else if (entry.file_size() > (64u << 20))
            tree[relative] = LargeFileFingerprint(entry.path());
        else
            tree[relative] = Fingerprint(ReadFileBytes(path));
    }
    return tree;
}

}  // namespace kordex::test
