#pragma once

#include <string>
#include <vector>

namespace kordex::test {

// The fields of one line of tab-separated text (a dump line, a row of MANIFEST.tsv), every one
// kept: an empty field at the end too, and one empty field for an empty line.
inline std::vector<std::string> TabFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

}  // namespace kordex::test
