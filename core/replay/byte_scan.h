#pragma once

// Scanning text eight bytes at a time: a library scan walks and parses tens of kilobytes of
// JSON text for each of thousands of replays, and most of those bytes are of no interest.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// 32 bytes at a time where the processor can, chosen when the program runs: a build for every
// x86-64 cannot assume it.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KORDEX_WIDE_SCAN 1
#include <immintrin.h>
#else
#define KORDEX_WIDE_SCAN 0
#endif

namespace kordex::byte_scan {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
constexpr std::uint64_t kHighs = 0x8080808080808080ULL;

inline std::uint64_t Load(const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// The high bit of every byte of the word that equals the given byte, exactly (no carries
// between bytes).
inline std::uint64_t Matches(std::uint64_t word, unsigned char byte) {
    const std::uint64_t x = word ^ (kOnes * byte);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The first position from `from` whose byte is one of the three, or the text's size.
inline std::size_t FindAnyOf(std::string_view text, std::size_t from, char a, char b, char c) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t i = from;
    for (; i + 8 <= size; i += 8) {
        const std::uint64_t word = Load(data + i);
        const std::uint64_t hits = Matches(word, static_cast<unsigned char>(a)) |
                                   Matches(word, static_cast<unsigned char>(b)) |
                                   Matches(word, static_cast<unsigned char>(c));
        if (hits)
            return i + static_cast<std::size_t>(std::countr_zero(hits) / 8);
    }
    for (; i < size; ++i)
        if (data[i] == a || data[i] == b || data[i] == c)
            return i;
    return size;
}

// The first position from `from` where the word stands, or npos. Candidates are the places
// where both its first and its last letter stand, sixteen at a time: a key word's letters are
// common in a replay's text, but seldom both at the word's distance.
inline std::size_t FindWord(std::string_view text, std::size_t from, std::string_view word) {
    const std::size_t size = text.size();
    if (word.empty())
        return from <= size ? from : std::string_view::npos;
    if (from > size || size - from < word.size())
        return std::string_view::npos;
    const std::size_t last = word.size() - 1;
    std::size_t i = from;
#if defined(__SSE2__)
    const char* const data = text.data();
    const __m128i first = _mm_set1_epi8(word.front());
    const __m128i lastLetter = _mm_set1_epi8(word.back());
    for (; i + last + 16 <= size; i += 16) {
        const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i atLast = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + last));
        auto candidates = static_cast<std::uint32_t>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(atFirst, first), _mm_cmpeq_epi8(atLast, lastLetter))));
        while (candidates) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(candidates));
            candidates &= candidates - 1;
            if (std::memcmp(data + at + 1, word.data() + 1, last) == 0)
                return at;
        }
    }
#endif
    return text.find(word, i);
}

// The first position from `from` whose byte a JSON string cannot hold as it is: a control
// character, a quote, a backslash, and with `high` also every byte above 127; or the size.
inline std::size_t FindStringEscape(std::string_view text, std::size_t from, bool high) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    const std::uint64_t highMask = high ? kHighs : 0;
    std::size_t i = from;
    for (; i + 8 <= size; i += 8) {
        const std::uint64_t word = Load(data + i);
        // Bytes below 0x20: the subtraction borrows into their high bit (a borrow may also
        // mark a byte above a true hit, never one below it, so the first mark is exact).
        const std::uint64_t control = (word - kOnes * 0x20) & ~word & kHighs;
        const std::uint64_t hits =
            control | Matches(word, '"') | Matches(word, '\\') | (word & highMask);
        if (hits)
            return i + static_cast<std::size_t>(std::countr_zero(hits) / 8);
    }
    for (; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (c < 0x20 || c == '"' || c == '\\' || (high && c >= 0x80))
            return i;
    }
    return size;
}

// Where the bytes that shape a JSON text stand in 64 bytes: bit k for the byte at k.
struct ChunkMarks {
    std::uint64_t quotes = 0;
    std::uint64_t backslashes = 0;
    std::uint64_t openers = 0;  // "{", or the opener asked for
    std::uint64_t closers = 0;  // "}", or the closer asked for
};

// One byte after the other: where the processor has no 16-byte compares, and the measure of
// the markers that have.
inline ChunkMarks MarkChunkPlain(const char* at, char openerByte, char closerByte) {
    ChunkMarks marks;
    for (int k = 0; k < 64; ++k) {
        const std::uint64_t bit = std::uint64_t{1} << k;
        marks.quotes |= at[k] == '"' ? bit : 0;
        marks.backslashes |= at[k] == '\\' ? bit : 0;
        marks.openers |= at[k] == openerByte ? bit : 0;
        marks.closers |= at[k] == closerByte ? bit : 0;
    }
    return marks;
}

inline ChunkMarks MarkChunk(const char* at, char openerByte = '{', char closerByte = '}') {
#if defined(__SSE2__)
    ChunkMarks marks;
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i opener = _mm_set1_epi8(openerByte);
    const __m128i closer = _mm_set1_epi8(closerByte);
    for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * part));
        auto bits = [&](__m128i wanted) {
            return static_cast<std::uint64_t>(
                       static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted))))
                   << (16 * part);
        };
        marks.quotes |= bits(quote);
        marks.backslashes |= bits(backslash);
        marks.openers |= bits(opener);
        marks.closers |= bits(closer);
    }
    return marks;
#else
    return MarkChunkPlain(at, openerByte, closerByte);
#endif
}

#if KORDEX_WIDE_SCAN
inline bool HasWideScan() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

[[gnu::target("avx2")]] inline std::uint64_t WideMatches(__m256i low, __m256i high, char byte) {
    const __m256i wanted = _mm256_set1_epi8(byte);
    const auto lowBits =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, wanted)));
    const auto highBits =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, wanted)));
    return lowBits | (std::uint64_t{highBits} << 32);
}

// MarkChunk with the processor's 32-byte compares; only where HasWideScan().
[[gnu::target("avx2")]] inline ChunkMarks MarkChunkWide(const char* at, char openerByte,
                                                        char closerByte) {
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 32));
    return {WideMatches(low, high, '"'), WideMatches(low, high, '\\'),
            WideMatches(low, high, openerByte), WideMatches(low, high, closerByte)};
}
#endif

// Bit k of the result: the parity of the set bits 0..k of the word.
inline std::uint64_t PrefixXor(std::uint64_t word) {
    word ^= word << 1;
    word ^= word << 2;
    word ^= word << 4;
    word ^= word << 8;
    word ^= word << 16;
    word ^= word << 32;
    return word;
}

// The number of set bits. Without the processor's own instruction in the build, std::popcount
// is a library call, too slow for a walk that counts every 64 bytes.
inline int CountBits(std::uint64_t word) {
#if defined(__POPCNT__)
    return std::popcount(word);
#else
    word -= (word >> 1) & 0x5555555555555555ULL;
    word = (word & 0x3333333333333333ULL) + ((word >> 2) & 0x3333333333333333ULL);
    word = (word + (word >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((word * kOnes) >> 56);
#endif
}

// What a JSON parse needs to know of its text before it starts.
struct TextSurvey {
    bool ascii = true;  // no byte above 127
    bool nul = false;   // a zero byte somewhere
    // More "{" and "[" bytes than the given bound (in strings too): the text may nest deeper.
    bool manyOpeners = false;
};

inline TextSurvey Survey(std::string_view text, std::size_t openerBound) {
    TextSurvey survey;
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::uint64_t high = 0;
    std::uint64_t zero = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    __m128i highs = _mm_setzero_si128();
    __m128i zeros = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        highs = _mm_or_si128(highs, bytes);
        zeros = _mm_or_si128(zeros, _mm_cmpeq_epi8(bytes, _mm_setzero_si128()));
    }
    high |= _mm_movemask_epi8(highs) != 0 ? kHighs : 0;
    zero |= _mm_movemask_epi8(zeros) != 0 ? kHighs : 0;
#endif
    for (; i + 8 <= size; i += 8) {
        const std::uint64_t word = Load(data + i);
        high |= word;
        zero |= Matches(word, 0);
    }
    for (; i < size; ++i) {
        high |= static_cast<unsigned char>(data[i]);
        zero |= data[i] == 0 ? kHighs : 0;
    }
    survey.ascii = (high & kHighs) == 0;
    survey.nul = zero != 0;
    // Openers are few in a replay's text: counted by jumping from one to the next.
    std::size_t openers = 0;
    for (char opener : {'{', '['}) {
        for (const char* at = data; at < data + size && openers <= openerBound;) {
            at = static_cast<const char*>(
                std::memchr(at, opener, static_cast<std::size_t>(data + size - at)));
            if (!at)
                break;
            ++openers;
            ++at;
        }
    }
    survey.manyOpeners = openers > openerBound;
    return survey;
}

}  // namespace kordex::byte_scan
