#include "replay/block_reader.h"

#include "platform/file_io.h"
#include "replay/brace_counter.h"
#include "replay/byte_scan.h"
#include "replay/json_root_members.h"
#include "replay/replay_lines.h"

namespace kordex {

namespace {

constexpr std::string_view kBlockStart = "{\"";

// Where a block lies in a text: [begin, end).
struct BlockSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// A block's own copy of its text, with the room after it in which the JSON check reads.
std::string BlockText(std::string_view text) {
    std::string block;
    block.reserve(text.size() + kJsonCheckRoom);
    block.assign(text);
    return block;
}

// Whether what is left of the current line holds the word, reading on as far as needed.
bool Contains(ReplayLines& lines, std::string_view word) {
    std::size_t from = 0;
    while (true) {
        const std::string_view text = lines.Text();
        if (byte_scan::FindWord(text, from, word) != std::string_view::npos)
            return true;
        if (text.size() >= word.size())
            from = text.size() - word.size() + 1;
        if (!lines.ReadMore())
            return false;
    }
}

// The first block start of what is left of the line, reading on as far as needed.
std::size_t FindBlockStart(ReplayLines& lines) {
    std::size_t from = 0;
    while (true) {
        const std::string_view text = lines.Text();
        const std::size_t at = text.find(kBlockStart, from);
        if (at != std::string_view::npos)
            return at;
        if (!text.empty())
            from = text.size() - 1;
        if (!lines.ReadMore())
            return std::string_view::npos;
    }
}

// The block cut from what is left of the line; the text then goes on right after it.
std::string CutBlock(ReplayLines& lines) {
    std::size_t begin = FindBlockStart(lines);
    if (begin == std::string::npos)
        begin = 0;
    BraceCounter counter;
    std::size_t from = begin;
    while (true) {
        const std::string_view text = lines.Text();
        const std::size_t last = counter.Walk(text, from);
        if (last != BraceCounter::kNotYet) {
            std::string block = BlockText(text.substr(begin, last + 1 - begin));
            lines.DropFront(last + 1);
            return block;
        }
        from = text.size();
        if (!lines.ReadMore())
            break;
    }
    // The line ended inside the block: the incomplete text, which no parser accepts.
    std::string block = BlockText(lines.Text().substr(begin));
    lines.DropFront(lines.Text().size());
    return block;
}

// Where the first block of the text lies: from its first block start (or from its start when
// it has none) to the brace that brings the depth back to 0.
BlockSpan FindBlock(std::string_view text) {
    BlockSpan span;
    span.begin = text.find(kBlockStart);
    if (span.begin == std::string_view::npos)
        span.begin = 0;
    BraceCounter counter;
    const std::size_t last = counter.Walk(text, span.begin);
    if (last != BraceCounter::kNotYet) {
        span.end = last + 1;
        return span;
    }
    // Cut off by the end of the text: the incomplete rest, which no parser accepts.
    span.end = text.size();
    return span;
}

}  // namespace

std::string CutJsonBlock(std::string_view text) {
    const BlockSpan span = FindBlock(text);
    return BlockText(text.substr(span.begin, span.end - span.begin));
}

std::optional<ReplayBlocks> ReadReplayBlocks(const std::string& path, ReadingVariant variant) {
    // Only a regular file opens; a pipe or device swapped in after a folder listing would
    // otherwise hold the open or the reads for ever.
    ReadableFile file;
    if (!ReadableFile::Open(Utf8Path(path), file))
        return std::nullopt;
    ReplayLines lines(file);

    // The header key word is searched in the first line and then in up to one (single) or
    // two (list) further lines, each replacing the one before.
    const int extraHeaderLines = variant == ReadingVariant::Single ? 1 : 2;
    for (int tried = 0; tried < extraHeaderLines && !Contains(lines, "clientVersionFromExe");
         ++tried)
        lines.NextLine();

    ReplayBlocks blocks;
    if (variant == ReadingVariant::Single) {
        const std::size_t start = FindBlockStart(lines);
        if (start != std::string::npos)
            lines.DropFront(start);
    }
    blocks.HeaderBlock = CutBlock(lines);

    // Each later block is searched in what is left of the line, or in one further line.
    auto cutByKeyWord = [&](std::string_view keyWord) {
        if (!Contains(lines, keyWord))
            lines.NextLine();
        return CutBlock(lines);
    };
    blocks.ResultsBlock = cutByKeyWord("arenaUniqueID");
    blocks.VehiclesBlock = cutByKeyWord("clanAbbrev");
    blocks.FragsBlock = cutByKeyWord("frags");
    return blocks;
}

bool IsBattleComplete(const ReplayBlocks& blocks) {
    return blocks.ResultsBlock.find("spotted") != std::string::npos &&
           blocks.VehiclesBlock.find("vehicleType") != std::string::npos &&
           blocks.FragsBlock.find("frags") != std::string::npos;
}

}  // namespace kordex
