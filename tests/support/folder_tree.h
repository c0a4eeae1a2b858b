#pragma once

#include <map>
#include <string>

namespace kordex::test {

// Every file and folder under a folder: relative path to "<folder>", "<link>", "<special>" or
// the file's size and a hash of its bytes (short enough to read in a failure message). A file
// of more than 64 MB gives its size and change time instead of reading it.
using Tree = std::map<std::string, std::string>;
Tree TreeOf(const std::string& folder);

}  // namespace kordex::test
