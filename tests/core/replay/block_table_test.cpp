#include "replay/block_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/replay_fixture.h"

namespace kordex {
namespace {

constexpr std::uint64_t kWindow = 1 << 20;

// A table of the given block lengths, followed by those blocks (of spaces).
std::string TableAndBlocks(const std::vector<std::size_t>& lengths, int count, bool magic = true) {
    std::string bytes = test::BinaryStart(count, lengths.empty() ? 0 : lengths[0]);
    if (!magic)
        bytes[0] = 'x';
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        if (i > 0)
            bytes += test::LengthField(lengths[i]);
        bytes += std::string(lengths[i], ' ');
    }
    return bytes;
}

// The table fed the bytes in pieces cut at the given positions.
BlockTable Fed(const std::string& bytes, const std::vector<std::size_t>& cuts) {
    BlockTable table(kWindow);
    std::size_t from = 0;
    for (std::size_t cut : cuts) {
        table.Take(from, std::string_view(bytes).substr(from, cut - from));
        from = cut;
    }
    table.Take(from, std::string_view(bytes).substr(from));
    return table;
}

TEST(BlockTable, EndsWhereItsBlocksEndHoweverTheBytesArrive) {
    struct Case {
        const char* name;
        std::vector<std::size_t> lengths;
        int count;
        std::uint64_t end;  // 0: not believed
        bool magic = true;
    };
    const Case cases[] = {
        {"one block", {100}, 1, 112},
        {"two blocks", {100, 300}, 2, 416},
        {"three blocks", {5, 6, 7}, 3, 8 + 3 * 4 + 18},
        {"a block reaching past the window", {100, kWindow}, 2, 0},
        {"no blocks", {}, 0, 0},
        {"more blocks than a replay has", {1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, 0},
        {"a count above the lengths given: the table runs off the bytes", {100}, 2, 0},
        {"no magic number", {100, 300}, 2, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string bytes = TableAndBlocks(c.lengths, c.count, c.magic);
        // Whole, split at every position (a number falls across two pieces), byte by byte.
        EXPECT_EQ(Fed(bytes, {}).End(), c.end);
        for (std::size_t cut = 1; cut < bytes.size(); ++cut)
            ASSERT_EQ(Fed(bytes, {cut}).End(), c.end) << "cut at " << cut;
        std::vector<std::size_t> everyByte;
        for (std::size_t cut = 1; cut < bytes.size(); ++cut)
            everyByte.push_back(cut);
        EXPECT_EQ(Fed(bytes, everyByte).End(), c.end);
    }
}

TEST(BlockTable, AwaitsEachLengthUntilTheLastIsRead) {
    // A header longer than the first read: the second length stands past it.
    const std::string bytes = TableAndBlocks({40000, 70000}, 2);
    BlockTable table(kWindow);
    EXPECT_EQ(table.Awaited(), 4u);
    table.Take(0, std::string_view(bytes).substr(0, 32768));
    EXPECT_EQ(table.End(), 0u);
    EXPECT_EQ(table.Awaited(), 12u + 40000 + 4);
    table.Take(32768, std::string_view(bytes).substr(32768, 40014 - 32768));
    EXPECT_EQ(table.Awaited(), 12u + 40000 + 4);  // two of the length's four bytes so far
    table.Take(40014, std::string_view(bytes).substr(40014, 2));
    EXPECT_EQ(table.End(), 12u + 40000 + 4 + 70000);
    EXPECT_EQ(table.Awaited(), 0u);
}

}  // namespace
}  // namespace kordex
