#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "replay/byte_scan.h"

namespace kordex {

// Walks a JSON text brace by brace. Braces inside JSON strings are text, not structure: a
// player or clan name holding a brace must not end a block early. A library scan walks every
// block of thousands of files, so the walk looks at eight bytes at a time and stops only at
// the characters that can matter: braces, quotes and backslashes.
class BraceCounter {
  public:
    // Counts "{" and "}" unless another pair is given (an array is walked by "[" and "]").
    explicit BraceCounter(char opener = '{', char closer = '}')
        : opener_(opener), closer_(closer) {}

    static constexpr std::size_t kNotYet = std::string_view::npos;

    // Walks the text from `from`: the position of the character after which the depth is back
    // at 0, or kNotYet when the text ends first; the walk then goes on where it stopped when
    // called again with the same text grown longer. The first character of a walk always
    // counts, so a walk from a character other than a brace ends right after it.
    std::size_t Walk(std::string_view text, std::size_t from) {
        const char* const data = text.data();
        const std::size_t size = text.size();
        std::size_t i = from;
        if (!started_) {
            if (i >= size)
                return kNotYet;
            started_ = true;
            if (data[i] == opener_)
                depth_ = 1;
            else if (data[i] == closer_)
                depth_ = -1;
            else
                return i;
            ++i;
        }
#if KORDEX_WIDE_SCAN
        const std::size_t found =
            byte_scan::HasWideScan() ? WalkChunksWide(data, size, i) : WalkChunks(data, size, i);
#else
        const std::size_t found = WalkChunks(data, size, i);
#endif
        if (found != kNotYet)
            return found;
        for (; i + 8 <= size; i += 8)
            if (const std::size_t at = WalkWord(data, i); at != kNotYet)
                return at;
        for (; i < size; ++i) {
            const char c = data[i];
            if ((c == opener_ || c == closer_ || c == '"' || c == '\\') && Take(c, i))
                return i;
        }
        return kNotYet;
    }

  private:
    // Sixty-four bytes at a time, up to the last whole chunk; i ends where the chunks end. Each
    // processor's marking of a chunk is built into its own copy of the loop.
    template <byte_scan::ChunkMarks (*Mark)(const char*, char, char)>
    [[gnu::always_inline]] std::size_t WalkChunksWith(const char* data, std::size_t size,
                                                      std::size_t& i) {
        for (; i + 64 <= size; i += 64)
            if (const std::size_t at = WalkChunk(Mark(data + i, opener_, closer_), data, i);
                at != kNotYet)
                return at;
        return kNotYet;
    }

    std::size_t WalkChunks(const char* data, std::size_t size, std::size_t& i) {
        return WalkChunksWith<byte_scan::MarkChunk>(data, size, i);
    }

#if KORDEX_WIDE_SCAN
    [[gnu::target("avx2")]] std::size_t WalkChunksWide(const char* data, std::size_t size,
                                                       std::size_t& i) {
        return WalkChunksWith<byte_scan::MarkChunkWide>(data, size, i);
    }
#endif

    // While no backslash is near, which bytes are in strings follows from the quotes alone, and
    // only the braces outside strings are looked at.
    std::size_t WalkChunk(const byte_scan::ChunkMarks& marks, const char* data, std::size_t i) {
        if (marks.backslashes == 0 && escapedUntil_ <= i)
            return WalkPlainChunk(marks, i);
        for (std::size_t at = i; at < i + 64; at += 8)
            if (const std::size_t found = WalkWord(data, at); found != kNotYet)
                return found;
        return kNotYet;
    }

    // The eight bytes at i, one mark after the other: the position where the depth is back at
    // 0, or kNotYet.
    std::size_t WalkWord(const char* data, std::size_t i) {
        const std::uint64_t word = byte_scan::Load(data + i);
        std::uint64_t marks = byte_scan::Matches(word, static_cast<unsigned char>(opener_)) |
                              byte_scan::Matches(word, static_cast<unsigned char>(closer_)) |
                              byte_scan::Matches(word, '"') | byte_scan::Matches(word, '\\');
        while (marks) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(marks) / 8);
            marks &= marks - 1;
            if (Take(data[at], at))
                return at;
        }
        return kNotYet;
    }

    // A chunk without backslashes, none escaped by the chunk before: a byte is in a string
    // when an odd number of quotes stands before it (its own included) in the walk.
    std::size_t WalkPlainChunk(const byte_scan::ChunkMarks& marks, std::size_t i) {
        std::uint64_t inString = byte_scan::PrefixXor(marks.quotes);
        if (inString_)
            inString = ~inString;
        inString_ = (inString >> 63) != 0;
        const std::uint64_t openers = marks.openers & ~inString;
        const std::uint64_t closers = marks.closers & ~inString;
        // Deeper than the chunk has closers: the depth cannot come back to 0 in it.
        if (depth_ > byte_scan::CountBits(closers)) {
            depth_ += byte_scan::CountBits(openers) - byte_scan::CountBits(closers);
            return kNotYet;
        }
        std::uint64_t braces = openers | closers;
        while (braces) {
            const int bit = std::countr_zero(braces);
            braces &= braces - 1;
            if ((marks.openers >> bit) & 1) {
                ++depth_;
            } else if (--depth_ == 0) {
                return i + static_cast<std::size_t>(bit);
            }
        }
        return kNotYet;
    }

    // Takes a brace, quote or backslash at a position; true when the depth is back at 0.
    bool Take(char c, std::size_t at) {
        if (at < escapedUntil_)
            return false;  // the character a backslash escapes
        if (inString_) {
            if (c == '\\')
                escapedUntil_ = at + 2;
            else if (c == '"')
                inString_ = false;
            return false;
        }
        if (c == '"')
            inString_ = true;
        else if (c == opener_)
            ++depth_;
        else if (c == closer_)
            return --depth_ == 0;
        return false;
    }

    char opener_;
    char closer_;
    long depth_ = 0;
    bool started_ = false;
    bool inString_ = false;
    std::size_t escapedUntil_ = 0;
};

}  // namespace kordex
