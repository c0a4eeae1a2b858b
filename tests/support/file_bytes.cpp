#include "support/file_bytes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "support/test_paths.h"

namespace kordex::test {

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(PathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytesFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write the test file " + path);
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf(folder), error))
        names.push_back(Utf8Of(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace kordex::test
