#include "replay/block_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

#include "platform/file_io.h"
#include "platform/kordex_error.h"
#include "replay/brace_counter.h"
#include "replay/byte_scan.h"
#include "replay/json_root_members.h"

namespace kordex {

namespace {

constexpr std::string_view kBlockStart = "{\"";
constexpr std::size_t kChunkSize = 64 * 1024;
// The first read: the header of the usual replay and the table entry after it, of which the
// reads that follow are sized.
constexpr std::size_t kFirstPiece = 32 * 1024;
// How much of a file is ever read. The blocks of the largest real replays end within their
// first 5 MB; beyond the window the file reads as ended, so memory and time stay bounded
// whatever the file holds (a block not closed by then is an unfinished block).
constexpr std::uint64_t kReadWindow = std::uint64_t{64} << 20;

// Where a block lies in a text: [begin, end).
struct BlockSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Where the blocks of a replay end by the table at its start (magic number, block count, then
// each block's length before it), when the start holds the whole table and it is believable;
// 0 otherwise.
std::uint64_t BlocksEnd(std::string_view start) {
    constexpr std::uint32_t kReplayMagic = 0x11343212;
    constexpr std::uint32_t kMostBlocks = 8;
    auto number = [&](std::size_t at) -> std::optional<std::uint32_t> {
        if (at + 4 > start.size())
            return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value =
                (value << 8) | static_cast<unsigned char>(start[at + static_cast<std::size_t>(i)]);
        return value;
    };
    const auto magic = number(0);
    const auto count = number(4);
    if (magic != kReplayMagic || !count || *count == 0 || *count > kMostBlocks)
        return 0;
    std::uint64_t end = 8;
    for (std::uint32_t block = 0; block < *count; ++block) {
        const auto length = number(static_cast<std::size_t>(end));
        if (!length)
            return 0;
        end += 4 + std::uint64_t{*length};
        if (end > kReadWindow)
            return 0;
    }
    return end;
}

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
//
// The file is read straight into the buffer the line's text lives in: of the bytes read, those
// not yet taken into the line wait after it, and the next line starts where they begin.
class LazyLines {
  public:
    // The buffer starts at two chunks: the first line of the usual replay holds its blocks
    // (about 80 KB).
    explicit LazyLines(ReadableFile& file) : file_(file) { Reallocate(2 * kChunkSize); }

    // The known part of the current text; ReadMore extends it.
    std::string_view Text() const {
        return std::string_view(bytes_.get() + start_, lineEnd_ - start_);
    }

    // Drops characters from the front of the current text. What was cut or dropped stays in
    // the buffer until room is needed (moving the rest forward each time costs more).
    void DropFront(std::size_t count) { start_ += std::min(count, Text().size()); }

    // Appends the next piece of the current line to Text() (what one read gives, or what an
    // earlier read left after the line before); false when the line is complete.
    bool ReadMore() {
        if (lineComplete_)
            return false;
        if (rawBegin_ == rawEnd_ && !ReadPiece()) {
            lineComplete_ = true;
            return true;
        }
        const std::size_t feed = FindFeed();
        TakeIntoLine(feed == kNone ? rawEnd_ : feed);
        if (feed != kNone) {
            rawBegin_ = feed + 1;
            lineComplete_ = true;
        }
        return true;
    }

    // Replaces the current text with the next line (of which nothing is taken yet).
    void NextLine() {
        start_ = lineEnd_;  // nothing of the line is kept while its rest is skipped
        while (!lineComplete_)
            SkipRestOfLine();
        start_ = lineEnd_ = rawBegin_;
        lineComplete_ = false;
    }

    // Whether what is left of the current line holds the word, reading on as far as needed.
    bool Contains(std::string_view word) {
        std::size_t from = 0;
        while (true) {
            const std::string_view text = Text();
            if (byte_scan::FindWord(text, from, word) != std::string_view::npos)
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
    static constexpr std::size_t kNone = std::string_view::npos;

    // The first line feed among the bytes read and not yet taken, or kNone.
    std::size_t FindFeed() const {
        const char* begin = bytes_.get() + rawBegin_;
        const void* feed = std::memchr(begin, '\n', rawEnd_ - rawBegin_);
        return feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - bytes_.get())
                    : kNone;
    }

    // Takes the waiting bytes before `stop` into the line, leaving out carriage returns; the
    // bytes after one move back over it.
    void TakeIntoLine(std::size_t stop) {
        char* const bytes = bytes_.get();
        while (rawBegin_ < stop) {
            const void* cr = std::memchr(bytes + rawBegin_, '\r', stop - rawBegin_);
            const std::size_t end =
                cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - bytes) : stop;
            if (lineEnd_ != rawBegin_)
                std::memmove(bytes + lineEnd_, bytes + rawBegin_, end - rawBegin_);
            lineEnd_ += end - rawBegin_;
            rawBegin_ = cr ? end + 1 : stop;
        }
    }

    void SkipRestOfLine() {
        if (rawBegin_ == rawEnd_ && !ReadPiece()) {
            lineComplete_ = true;
            return;
        }
        const std::size_t feed = FindFeed();
        if (feed != kNone) {
            rawBegin_ = feed + 1;
            lineComplete_ = true;
        } else {
            rawBegin_ = rawEnd_;
        }
    }

    // Reads the next piece of the file after the line, once every byte read before is taken;
    // false at the end of the file.
    bool ReadPiece() {
        if (atEnd_)
            return false;
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(NextPiece(), kReadWindow - read_));
        MakeRoom(wanted);
        rawBegin_ = rawEnd_ = lineEnd_;
        std::size_t got = 0;
        if (wanted > 0)
            if (const FileResult result = file_.Read(bytes_.get() + rawEnd_, wanted, got); !result)
                throw KordexError("Ошибка чтения файла: " + result.reason);
        if (read_ == 0)
            blocksEnd_ = BlocksEnd(std::string_view(bytes_.get() + rawEnd_, got));
        rawEnd_ += got;
        read_ += got;
        atEnd_ = got == 0;
        return got > 0;
    }

    // How much the next read asks for. Every byte read past the blocks is copied for nothing,
    // and every read is a call into the system: the file's own table of its blocks says where
    // they end, and the reads stop there. When the table says nothing believable, or the text
    // goes on past it, a whole chunk is read and then quarters. The bytes that reach the
    // lines are the same whatever the sizes.
    std::size_t NextPiece() const {
        if (read_ == 0)
            return kFirstPiece;
        if (read_ < blocksEnd_)
            return static_cast<std::size_t>(
                std::min<std::uint64_t>(blocksEnd_ - read_, kChunkSize));
        if (read_ < kChunkSize)
            return kChunkSize - static_cast<std::size_t>(read_);
        return kChunkSize / 4;
    }

    // Makes room for `wanted` bytes after the line's text: the dropped front of the buffer is
    // given back first, and the buffer doubles only when the text itself needs it.
    void MakeRoom(std::size_t wanted) {
        if (lineEnd_ + wanted <= capacity_)
            return;
        const std::size_t kept = lineEnd_ - start_;
        if (kept + wanted <= capacity_) {
            std::memmove(bytes_.get(), bytes_.get() + start_, kept);
        } else {
            Reallocate(std::max(2 * capacity_, kept + wanted));
        }
        start_ = 0;
        lineEnd_ = kept;
    }

    // A new buffer holding the line's text at its start.
    void Reallocate(std::size_t capacity) {
        auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
        if (bytes_)
            std::memcpy(bytes.get(), bytes_.get() + start_, lineEnd_ - start_);
        bytes_ = std::move(bytes);
        capacity_ = capacity;
        lineEnd_ -= start_;
        start_ = 0;
    }

    ReadableFile& file_;
    std::unique_ptr<char[]> bytes_;  // not zeroed: only what a read filled is looked at
    std::size_t capacity_ = 0;
    std::size_t start_ = 0;     // where the current text begins
    std::size_t lineEnd_ = 0;   // where it ends
    std::size_t rawBegin_ = 0;  // the bytes read and not yet taken: [rawBegin_, rawEnd_)
    std::size_t rawEnd_ = 0;
    std::uint64_t read_ = 0;       // bytes read from the file so far
    std::uint64_t blocksEnd_ = 0;  // where the file's table says its blocks end; 0: unknown
    bool atEnd_ = false;
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
