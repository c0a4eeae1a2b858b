#include "replay/replay_lines.h"

#include <cstring>
#include <optional>

#include "platform/kordex_error.h"
#include "text/little_endian.h"

namespace kordex {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
// The first read: the header of the usual replay and the table entry after it, of which the
// reads that follow are sized.
constexpr std::size_t kFirstPiece = 32 * 1024;
// How much of a file is ever read. The blocks of the largest real replays end within their
// first 5 MB; beyond the window the file reads as ended, so memory and time stay bounded
// whatever the file holds (a block not closed by then is an unfinished block).
constexpr std::uint64_t kReadWindow = std::uint64_t{64} << 20;

// Where the blocks of a replay end by the table at its start (magic number, block count, then
// each block's length before it), when the start holds the whole table and it is believable;
// 0 otherwise.
std::uint64_t BlocksEnd(std::string_view start) {
    constexpr std::uint32_t kReplayMagic = 0x11343212;
    constexpr std::uint32_t kMostBlocks = 8;
    auto number = [&](std::size_t at) -> std::optional<std::uint32_t> {
        if (at + 4 > start.size())
            return std::nullopt;
        return static_cast<std::uint32_t>(LittleEndian(start.substr(at), 4));
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

}  // namespace

ReplayLines::ReplayLines(ReadableFile& file) : file_(file) {
    Reallocate(2 * kChunkSize);
}

bool ReplayLines::ReadMore() {
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

void ReplayLines::NextLine() {
    start_ = lineEnd_;  // nothing of the line is kept while its rest is skipped
    while (!lineComplete_)
        SkipRestOfLine();
    start_ = lineEnd_ = rawBegin_;
    lineComplete_ = false;
}

std::size_t ReplayLines::FindFeed() const {
    const char* begin = bytes_.get() + rawBegin_;
    const void* feed = std::memchr(begin, '\n', rawEnd_ - rawBegin_);
    return feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - bytes_.get()) : kNone;
}

void ReplayLines::TakeIntoLine(std::size_t stop) {
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

void ReplayLines::SkipRestOfLine() {
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

bool ReplayLines::ReadPiece() {
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

std::size_t ReplayLines::NextPiece() const {
    if (read_ == 0)
        return kFirstPiece;
    if (read_ < blocksEnd_)
        return static_cast<std::size_t>(std::min<std::uint64_t>(blocksEnd_ - read_, kChunkSize));
    if (read_ < kChunkSize)
        return kChunkSize - static_cast<std::size_t>(read_);
    return kChunkSize / 4;
}

void ReplayLines::MakeRoom(std::size_t wanted) {
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

void ReplayLines::Reallocate(std::size_t capacity) {
    auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
    if (bytes_)
        std::memcpy(bytes.get(), bytes_.get() + start_, lineEnd_ - start_);
    bytes_ = std::move(bytes);
    capacity_ = capacity;
    lineEnd_ -= start_;
    start_ = 0;
}

}  // namespace kordex
