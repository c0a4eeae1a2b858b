#include "replay/block_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>

#include "platform/file_io.h"
#include "platform/kordex_error.h"
#include "replay/brace_counter.h"
#include "replay/json_root_members.h"

namespace kordex {

namespace {

constexpr std::string_view kBlockStart = "{\"";
constexpr std::size_t kChunkSize = 64 * 1024;
// How much of a file is ever read. The blocks of the largest real replays end within their
// first 5 MB; beyond the window the file reads as ended, so memory and time stay bounded
// whatever the file holds (a block not closed by then is an unfinished block).
constexpr std::uint64_t kReadWindow = std::uint64_t{64} << 20;

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

// The replay read line by line, each line only as far as a caller asks for it: the blocks
// sit at the start of a file of megabytes, and the rest of the line after them is not needed.
// A line ends at a line feed; carriage returns are dropped; every other byte (zero and 26
// included) is an ordinary character. Past the end of the file lines are empty.
class LazyLines {
  public:
    // The line's buffer starts at two chunks: the first line of the usual replay holds its
    // blocks (about 80 KB) and then grows in place.
    explicit LazyLines(ReadableFile& file) : file_(file) { text_.reserve(2 * kChunkSize); }

    // The known part of the current text; ReadMore extends it.
    std::string_view Text() const { return std::string_view(text_).substr(start_); }

    // Drops characters from the front of the current text. What was cut or dropped stays in
    // the line's buffer until the next line (moving the rest forward each time costs more).
    void DropFront(std::size_t count) { start_ += std::min(count, Text().size()); }

    // Appends the next piece of the current line to Text(); false when the line is complete.
    bool ReadMore() {
        if (lineComplete_)
            return false;
        std::size_t appended = 0;
        while (!lineComplete_ && appended < kChunkSize) {
            if (!FillBuffer()) {
                lineComplete_ = true;
                break;
            }
            const char* begin = buffer_.data() + position_;
            const char* end = buffer_.data() + filled_;
            const char* feed = static_cast<const char*>(
                std::memchr(begin, '\n', static_cast<std::size_t>(end - begin)));
            const char* stop = feed ? feed : end;
            AppendWithoutCarriageReturns(begin, stop);
            appended += static_cast<std::size_t>(stop - begin);
            position_ = static_cast<std::size_t>(stop - buffer_.data());
            if (feed) {
                ++position_;
                lineComplete_ = true;
            }
        }
        return true;
    }

    // Replaces the current text with the next line (of which nothing is read yet).
    void NextLine() {
        while (!lineComplete_)
            SkipRestOfLine();
        text_.clear();
        start_ = 0;
        lineComplete_ = false;
    }

    // Whether what is left of the current line holds the word, reading on as far as needed.
    bool Contains(std::string_view word) {
        // Key words are found by skipping ahead on their last letter: their first letters are
        // common in the text, which a search letter by letter keeps stopping at.
        const std::boyer_moore_horspool_searcher searcher(word.begin(), word.end());
        std::size_t from = 0;
        while (true) {
            const std::string_view text = Text();
            if (std::search(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())),
                            text.end(), searcher) != text.end())
                return true;
            if (text.size() >= word.size())
                from = text.size() - word.size() + 1;
            if (!ReadMore())
                return false;
        }
    }

    // The first block start of what is left of the line, reading on as far as needed.
    std::size_t FindBlockStart() {
        std::size_t from = 0;
        while (true) {
            const std::string_view text = Text();
            const std::size_t at = text.find(kBlockStart, from);
            if (at != std::string_view::npos)
                return at;
            if (!text.empty())
                from = text.size() - 1;
            if (!ReadMore())
                return std::string_view::npos;
        }
    }

    // The block cut from what is left of the line; the text then goes on right after it.
    std::string CutBlock() {
        std::size_t begin = FindBlockStart();
        if (begin == std::string::npos)
            begin = 0;
        BraceCounter counter;
        std::size_t from = begin;
        while (true) {
            const std::string_view text = Text();
            const std::size_t last = counter.Walk(text, from);
            if (last != BraceCounter::kNotYet) {
                std::string block = BlockText(text.substr(begin, last + 1 - begin));
                DropFront(last + 1);
                return block;
            }
            from = text.size();
            if (!ReadMore())
                break;
        }
        // The line ended inside the block: the incomplete text, which no parser accepts.
        std::string block = BlockText(Text().substr(begin));
        DropFront(Text().size());
        return block;
    }

  private:
    void AppendWithoutCarriageReturns(const char* begin, const char* end) {
        while (begin != end) {
            const char* cr = static_cast<const char*>(
                std::memchr(begin, '\r', static_cast<std::size_t>(end - begin)));
            const char* stop = cr ? cr : end;
            text_.append(begin, stop);
            begin = cr ? cr + 1 : end;
        }
    }

    // Makes sure the buffer holds unread bytes; false at the end of the file.
    bool FillBuffer() {
        if (position_ < filled_)
            return true;
        if (atEnd_)
            return false;
        // A whole chunk first, then quarters: the blocks of the usual replay end a little past
        // the first chunk, and every byte read past them is copied for nothing.
        const std::size_t piece = read_ == 0 ? buffer_.size() : buffer_.size() / 4;
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(piece, kReadWindow - read_));
        filled_ = 0;
        position_ = 0;
        if (wanted > 0)
            if (const FileResult result = file_.Read(buffer_.data(), wanted, filled_); !result)
                throw KordexError("Ошибка чтения файла: " + result.reason);
        read_ += filled_;
        atEnd_ = filled_ == 0;
        return filled_ > 0;
    }

    void SkipRestOfLine() {
        if (!FillBuffer()) {
            lineComplete_ = true;
            return;
        }
        const char* begin = buffer_.data() + position_;
        const void* feed = std::memchr(begin, '\n', filled_ - position_);
        if (feed) {
            position_ =
                static_cast<std::size_t>(static_cast<const char*>(feed) - buffer_.data()) + 1;
            lineComplete_ = true;
        } else {
            position_ = filled_;
        }
    }

    ReadableFile& file_;
    std::array<char, kChunkSize> buffer_;  // not zeroed: only what a read filled is looked at
    std::uint64_t read_ = 0;               // bytes read from the file so far
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool atEnd_ = false;
    std::string text_;
    std::size_t start_ = 0;  // where the current text begins in text_
    bool lineComplete_ = false;
};

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
    // One chunk buffer per read; kept off the stack of the caller.
    auto lines = std::make_unique<LazyLines>(file);

    // The header key word is searched in the first line and then in up to one (single) or
    // two (list) further lines, each replacing the one before.
    const int extraHeaderLines = variant == ReadingVariant::Single ? 1 : 2;
    for (int tried = 0; tried < extraHeaderLines && !lines->Contains("clientVersionFromExe");
         ++tried)
        lines->NextLine();

    ReplayBlocks blocks;
    if (variant == ReadingVariant::Single) {
        const std::size_t start = lines->FindBlockStart();
        if (start != std::string::npos)
            lines->DropFront(start);
    }
    blocks.HeaderBlock = lines->CutBlock();

    // Each later block is searched in what is left of the line, or in one further line.
    auto cutByKeyWord = [&](std::string_view keyWord) {
        if (!lines->Contains(keyWord))
            lines->NextLine();
        return lines->CutBlock();
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
