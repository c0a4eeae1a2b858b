#include "replay/json_root_members.h"

#include <gtest/gtest.h>

#include <array>

#include "replay/block_reader.h"
#include "replay/json.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

TEST(ValidRootMembers, CutsEachMemberOutOfAValidText) {
    if (!KORDEX_SIMDJSON)
        GTEST_SKIP() << "built without simdjson: every text is parsed whole";
    const std::string text =
        R"( {"a" : 1 ,"b":[{"c":"}]"},[]],"d":"x\"}y", "e":{"f":{"g":"{"}},"a":-2.5e3 } )";
    const auto members = ValidRootMembers(text);
    ASSERT_TRUE(members.has_value());
    const std::vector<std::pair<std::string_view, std::string_view>> expected = {
        {"a", "1"},
        {"b", R"([{"c":"}]"},[]])"},
        {"d", R"("x\"}y")"},
        {"e", R"({"f":{"g":"{"}})"},
        {"a", "-2.5e3"}};
    ASSERT_EQ(members->size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ((*members)[i].key, expected[i].first);
        EXPECT_EQ((*members)[i].value, expected[i].second);
    }
    const std::array<std::string_view, 3> keys = {"e", "a", "z"};
    const std::array<std::string_view, 1> presentOnly = {"b"};
    EXPECT_EQ(ObjectTextOf(*members, keys, presentOnly), R"({"e":{"f":{"g":"{"}},"a":1,"b":null})");
    EXPECT_EQ(ValidRootMembers("{}")->size(), 0u);
}

TEST(ValidRootMembers, LeavesToTheParseWhatItCannotVouchFor) {
    const std::string texts[] = {
        R"({"a":Infinity})",        // the parse takes it, strict JSON does not
        R"({"a":"\ud800"})",        // a lone surrogate half
        R"({"a":"\udc00\ud800"})",  // halves the wrong way round
        R"({"\u0061":1})",          // a root key known only once its escape is read
        R"([{"a":1}])",             // not an object
        R"({"a":1} {"b":2})",       // two texts
        "{\"a\":\"tab\tinside\"}",  // a raw control character
        "{\"a\":\"\xcf\xf0\"}",     // windows-1251, not UTF-8
        R"({"a":1)",
        "",
    };
    for (const std::string& text : texts)
        EXPECT_FALSE(ValidRootMembers(text).has_value()) << text;
}

TEST(ValidRootMembers, VouchesForNearlyEveryRealBlockThatParses) {
    if (!KORDEX_SIMDJSON)
        GTEST_SKIP() << "built without simdjson: every text is parsed whole";
    KORDEX_REQUIRE_SHARED_REPLAYS();
    int blocks = 0;
    int vouched = 0;
    for (const std::string& path : test::SharedReplayFiles()) {
        const auto read = ReadReplayBlocks(path, ReadingVariant::List);
        if (!read)
            continue;
        for (const std::string* block : {&read->HeaderBlock, &read->ResultsBlock}) {
            if (!ParseObject(*block).Ok())
                continue;
            ++blocks;
            vouched += ValidRootMembers(*block).has_value() ? 1 : 0;
        }
    }
    // A few texts are JSON only by the parse's lenient rules; the quick path is for the rest.
    EXPECT_GT(vouched, blocks * 95 / 100) << vouched << " of " << blocks;
}

}  // namespace
}  // namespace kordex
