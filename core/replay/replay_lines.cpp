#include "replay/replay_lines.h"

#include <cstring>

#include "platform/kordex_error.h"

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
// The most one read asks for when the table says how far the blocks go: the blocks of a
// modern replay, about 200 KB, in one read, while a table that lies makes the buffer grow by
// no more than this at a time.
constexpr std::size_t kLargestPiece = 4 * kChunkSize;

}  // namespace

ReplayLines::ReplayLines(ReadableFile& file) : file_(file), table_(kReadWindow) {
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
    table_.Take(read_, std::string_view(bytes_.get() + rawEnd_, got));
    rawEnd_ += got;
    read_ += got;
    atEnd_ = got == 0;
    return got > 0;
}

std::size_t ReplayLines::NextPiece() const {
    if (read_ == 0)
        return kFirstPiece;
    const std::uint64_t stop = table_.End() ? table_.End() : table_.Awaited();
    if (read_ < stop)
        return static_cast<std::size_t>(std::min<std::uint64_t>(stop - read_, kLargestPiece));
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
