#include "support/shared_series.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/tab_fields.h"
#include "support/test_paths.h"

namespace kordex::test {

std::vector<std::string> CopySharedSeries(const std::string& folder, int count) {
    const std::string shared = SharedReplaysFolder();
    if (shared.empty())
        return {};
    std::ifstream manifest(PathOf(shared + "/MANIFEST.tsv"));
    std::string line;
    std::getline(manifest, line);
    const std::vector<std::string> titles = TabFields(line);
    auto column = [&titles](const std::string& title) {
        for (std::size_t i = 0; i < titles.size(); ++i)
            if (titles[i] == title)
                return i;
        return titles.size();
    };
    const std::size_t file = column("file"), id = column("has_arenaUniqueID"),
                      personal = column("has_personal");
    std::vector<std::string> copies;
    while (static_cast<int>(copies.size()) < count && std::getline(manifest, line)) {
        const std::vector<std::string> fields = TabFields(line);
        if (fields.size() <= std::max({file, id, personal}) || fields[id] != "True" ||
            fields[personal] != "True")
            continue;
        char name[32];
        std::snprintf(name, sizeof name, "%02d.wotreplay", static_cast<int>(copies.size()) + 1);
        copies.push_back(folder + "/" + name);
        std::filesystem::copy_file(PathOf(shared + "/" + fields[file]), PathOf(copies.back()));
    }
    return copies;
}

std::string ExpectedAverage(long long sum, long long count, char separator) {
    if (count == 0)
        return "0";
    const bool negative = sum < 0;
    const long long magnitude = negative ? -sum : sum;
    long long rest = magnitude % count;
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / count);
    if (rest == 0)
        return text;
    text += separator;
    for (int digit = 0; digit < 2; ++digit) {
        rest *= 10;
        text += static_cast<char>('0' + rest / count);
        rest %= count;
    }
    // "-0,00" would be a sign without a number.
    return text == "-0" + std::string(1, separator) + "00" ? text.substr(1) : text;
}

}  // namespace kordex::test
