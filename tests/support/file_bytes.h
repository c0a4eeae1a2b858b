#pragma once

#include <string>
#include <vector>

namespace kordex::test {

// The whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// The bytes as the whole file, replacing it; throws when the file cannot be written.
void WriteBytesFile(const std::string& path, const std::string& bytes);

// The files of a folder, by name, sorted.
std::vector<std::string> FolderEntries(const std::string& folder);

}  // namespace kordex::test
