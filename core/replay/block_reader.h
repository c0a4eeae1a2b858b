#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kordex {

// The four JSON texts cut from a replay, in the order they are cut. Any of them may be empty
// or hold binary characters; the parsers find out whether they are valid.
struct ReplayBlocks {
    std::string HeaderBlock;
    std::string ResultsBlock;
    std::string VehiclesBlock;
    std::string FragsBlock;
};

// single: one extra line tried for the header, line trimmed to its first block start;
// list: two extra lines, no trim.
enum class ReadingVariant { Single, List };

// The four blocks of the file, or nothing when the file cannot be opened (only a regular file
// opens). Only the first 64 MB of a file are read. An error while reading throws KordexError.
std::optional<ReplayBlocks> ReadReplayBlocks(const std::string& path, ReadingVariant variant);

// The first brace-balanced text from the first block start ("{" followed by a quote).
std::string CutJsonBlock(std::string_view text);

// True when the file holds battle results: "spotted" in the results, "vehicleType" in the
// vehicles and "frags" in the frags block.
bool IsBattleComplete(const ReplayBlocks& blocks);

}  // namespace kordex
