#include "replay/json_root_members.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "replay/block_reader.h"
#include "replay/json.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

using Members = std::vector<std::pair<std::string_view, std::string_view>>;

Members Pairs(const std::vector<JsonMemberText>& members) {
    Members pairs;
    for (const JsonMemberText& member : members)
        pairs.emplace_back(member.key, member.value);
    return pairs;
}

// What the members asked for are by a walk over every member: the first of each name, in
// text order.
Members FirstOfEachByFullWalk(std::string_view text, std::span<const std::string_view> wanted) {
    const auto all = MembersOf(text);
    Members first;
    for (const JsonMemberText& member : *all) {
        const bool asked = std::find(wanted.begin(), wanted.end(), member.key) != wanted.end();
        if (asked && FirstMemberNamed(*all, member.key) == &member)
            first.emplace_back(member.key, member.value);
    }
    return first;
}

TEST(ValidRootMembers, FindsTheFirstMemberOfEachNameAskedForFromEitherEnd) {
    if (!KORDEX_SIMDJSON)
        GTEST_SKIP() << "built without simdjson: every text is parsed whole";
    // Braces, brackets, quotes and backslashes inside strings, near both ends of members.
    const std::string text =
        R"( {"a" : 1 ,"b":[{"c":"}]"},[]],"d":"x\"}y\\", "e":{"f":{"g":"{\"\\"}},"a":-2.5e3 } )";
    const std::string_view b = R"([{"c":"}]"},[]])";
    const std::string_view d = R"("x\"}y\\")";
    const std::string_view e = R"({"f":{"g":"{\"\\"}})";
    // Keys written with escapes count only when asked for.
    const std::string escaped = R"({"\u0062":1,"\u00e9":[2],"a":3})";
    struct Case {
        const std::string& text;
        std::vector<std::string_view> wanted;
        Members expected;
    };
    const Case cases[] = {
        {text, {"a"}, {{"a", "1"}}},                 // the first of a repeated name
        {text, {"e"}, {{"e", e}}},                   // walked from the end
        {text, {"d"}, {{"d", d}}},                   // from the end, over a quote
        {text, {"b", "a"}, {{"a", "1"}, {"b", b}}},  // from the start
        {text, {"e", "a"}, {{"a", "1"}, {"e", e}}},  // from both, "b" and "d" skipped
        {text, {"z"}, {}},                           // no member of the name
        {text, {"a", "b", "d", "e"}, {{"a", "1"}, {"b", b}, {"d", d}, {"e", e}}},
        {escaped, {"a"}, {{"a", "3"}}},
    };
    for (const Case& c : cases) {
        const auto members = ValidRootMembers(c.text, c.wanted);
        ASSERT_TRUE(members.has_value()) << c.text << " " << c.wanted.front();
        EXPECT_EQ(Pairs(*members), c.expected) << c.text << " " << c.wanted.front();
    }

    // A name asked for only to be there comes unread.
    const std::array<std::string_view, 3> keys = {"e", "a", "z"};
    const std::array<std::string_view, 1> presentOnly = {"b"};
    const auto members = ValidRootMembers(text, keys, presentOnly);
    ASSERT_TRUE(members.has_value());
    EXPECT_EQ(Pairs(*members), (Members{{"a", "1"}, {"b", ""}, {"e", e}}));
    EXPECT_EQ(ObjectTextOf(*members, keys, presentOnly),
              R"({"e":{"f":{"g":"{\"\\"}},"a":1,"b":null})");
    EXPECT_EQ(ValidRootMembers("{}", keys)->size(), 0u);
}

TEST(ValidRootMembers, LeavesToTheParseWhatItCannotVouchFor) {
    const std::string texts[] = {
        R"({"a":Infinity})",        // the parse takes it, strict JSON does not
        R"({"a":"\ud800"})",        // a lone surrogate half
        R"({"a":"\udc00\ud800"})",  // halves the wrong way round
        R"({"\u0061":1})",          // the key asked for is known only once its escape is read
        R"([{"a":1}])",             // not an object
        R"({"a":1} {"b":2})",       // two texts
        "{\"a\":\"tab\tinside\"}",  // a raw control character
        "{\"a\":\"\xcf\xf0\"}",     // windows-1251, not UTF-8
        R"({"a":1)",
        "",
    };
    const std::array<std::string_view, 1> wanted = {"a"};
    for (const std::string& text : texts)
        EXPECT_FALSE(ValidRootMembers(text, wanted).has_value()) << text;
    // A name beyond ASCII: the parse reads the key's bytes as windows-1251.
    const std::array<std::string_view, 1> cyrillic = {"\xd1\x8f"};
    EXPECT_FALSE(ValidRootMembers("{\"\xd1\x8f\":1}", cyrillic).has_value());
}

// Every real block, with the names a reading asks for and with each single key, from the
// front, the back and the middle: the same members as a walk over all of them.
TEST(ValidRootMembers, AgreesWithAFullWalkOnEveryRealBlock) {
    if (!KORDEX_SIMDJSON)
        GTEST_SKIP() << "built without simdjson: every text is parsed whole";
    KORDEX_REQUIRE_SHARED_REPLAYS();
    const std::vector<std::string_view> readings[] = {
        {"personal", "common"},
        {"clientVersionFromExe", "dateTime", "mapDisplayName", "playerName", "playerVehicle",
         "battleType", "gameplayID", "regionCode", "serverName"}};
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
            const auto all = MembersOf(*block);
            if (!all)
                continue;  // a root key with an escape: the full walk cannot name it
            std::vector<std::vector<std::string_view>> wantedSets(std::begin(readings),
                                                                  std::end(readings));
            for (const JsonMemberText& member : *all)
                wantedSets.push_back({member.key});
            bool vouchedForAll = true;
            for (const auto& wanted : wantedSets) {
                const auto members = ValidRootMembers(*block, wanted);
                vouchedForAll = vouchedForAll && members.has_value();
                if (members) {
                    EXPECT_EQ(Pairs(*members), FirstOfEachByFullWalk(*block, wanted)) << path;
                }
            }
            vouched += vouchedForAll ? 1 : 0;
        }
    }
    // A few texts are JSON only by the parse's lenient rules; the quick path is for the rest.
    EXPECT_GT(vouched, blocks * 95 / 100) << vouched << " of " << blocks;
}

}  // namespace
}  // namespace kordex
