#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kordex {

// The number in the first `width` bytes (at most 8) of the bytes, the lowest byte first: how a
// replay's table of blocks and the library's cache file hold their numbers. The caller makes
// sure the bytes are there.
inline std::uint64_t LittleEndian(std::string_view bytes, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

}  // namespace kordex
