#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "replay/block_reader.h"
#include "support/plain_cut.h"

namespace kordex::test {

// The four blocks of a replay's bytes read as plainly as they can be: the whole file split
// into lines at line feeds, carriage returns dropped, each search made in a whole line. The
// reader reads lines only as far as it must, in pieces sized by the file's block table,
// straight into one buffer; tests and the fuzzer check that the two always agree (for files
// within the reader's 64 MB window).
inline ReplayBlocks PlainReplayBlocks(std::string_view bytes, ReadingVariant variant) {
    std::vector<std::string> lines(1);
    for (const char c : bytes) {
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back() += c;
    }
    std::size_t next = 1;
    std::string text = lines[0];  // what is left of the current line
    auto nextLine = [&] { text = next < lines.size() ? lines[next++] : std::string(); };
    auto cutBlock = [&] {
        const PlainSpan span = PlainCutSpan(text);
        std::string block = text.substr(span.begin, span.end - span.begin);
        text.erase(0, span.end);
        return block;
    };

    const int extraHeaderLines = variant == ReadingVariant::Single ? 1 : 2;
    for (int tried = 0;
         tried < extraHeaderLines && text.find("clientVersionFromExe") == std::string::npos;
         ++tried)
        nextLine();
    if (variant == ReadingVariant::Single) {
        const std::size_t start = text.find("{\"");
        if (start != std::string::npos)
            text.erase(0, start);
    }
    ReplayBlocks blocks;
    blocks.HeaderBlock = cutBlock();
    auto cutByKeyWord = [&](std::string_view keyWord) {
        if (text.find(keyWord) == std::string::npos)
            nextLine();
        return cutBlock();
    };
    blocks.ResultsBlock = cutByKeyWord("arenaUniqueID");
    blocks.VehiclesBlock = cutByKeyWord("clanAbbrev");
    blocks.FragsBlock = cutByKeyWord("frags");
    return blocks;
}

}  // namespace kordex::test
