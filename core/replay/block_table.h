#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kordex {

// The table at the start of a replay (magic number, block count, then each block's length
// before the block), read from the bytes as they arrive: a modern header is longer than the
// first read, so the second block's length only comes with a later one. It says where the
// blocks end, so that the reads stop there.
class BlockTable {
  public:
    // The end of the largest table believed: a block reaching past it makes the table a lie.
    explicit BlockTable(std::uint64_t window) : window_(window) {}

    // The bytes of the file at `offset`, the pieces coming in file order without gaps.
    void Take(std::uint64_t offset, std::string_view bytes);

    // Where the blocks end: 0 while that is not known (the table still coming or not
    // believable).
    std::uint64_t End() const { return state_ == State::Known ? field_ : 0; }

    // The file position the next length ends at while the table is still coming, else 0.
    std::uint64_t Awaited() const { return state_ == State::Coming ? field_ + kFieldSize : 0; }

  private:
    static constexpr std::size_t kFieldSize = 4;
    enum class State { Coming, Known, Unknown };

    // Takes the number just completed at field_ and moves on to the next one.
    void Read(std::uint32_t number);

    std::uint64_t window_;
    State state_ = State::Coming;
    // Where the number being read stands; once the table is known, where the blocks end.
    std::uint64_t field_ = 0;
    std::array<char, kFieldSize> bytes_{};
    std::uint32_t fields_ = 0;  // numbers read so far: magic, count, lengths
    std::uint32_t count_ = 0;
};

}  // namespace kordex
