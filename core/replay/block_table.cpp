#include "replay/block_table.h"

#include <algorithm>
#include <cstring>

#include "text/little_endian.h"

namespace kordex {

namespace {

constexpr std::uint32_t kReplayMagic = 0x11343212;
constexpr std::uint32_t kMostBlocks = 8;

}  // namespace

void BlockTable::Take(std::uint64_t offset, std::string_view bytes) {
    // Each number may be split between two pieces: its bytes are gathered where they fall.
    while (state_ == State::Coming) {
        const std::uint64_t end = offset + bytes.size();
        const std::uint64_t fieldEnd = field_ + kFieldSize;
        if (end <= field_)
            return;
        const std::uint64_t from = std::max(offset, field_);
        const std::uint64_t to = std::min(end, fieldEnd);
        std::memcpy(bytes_.data() + (from - field_), bytes.data() + (from - offset), to - from);
        if (to < fieldEnd)
            return;
        Read(static_cast<std::uint32_t>(LittleEndian({bytes_.data(), kFieldSize}, kFieldSize)));
    }
}

void BlockTable::Read(std::uint32_t number) {
    const std::uint32_t index = fields_++;
    if (index == 0) {
        state_ = number == kReplayMagic ? State::Coming : State::Unknown;
        field_ += kFieldSize;
    } else if (index == 1) {
        count_ = number;
        state_ = number > 0 && number <= kMostBlocks ? State::Coming : State::Unknown;
        field_ += kFieldSize;
    } else {
        field_ += kFieldSize + std::uint64_t{number};
        if (field_ > window_)
            state_ = State::Unknown;
        else if (fields_ - 2 == count_)
            state_ = State::Known;
    }
}

}  // namespace kordex
