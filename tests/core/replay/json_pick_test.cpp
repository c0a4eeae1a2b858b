#include <gtest/gtest.h>

#include <array>

#include "replay/block_reader.h"
#include "replay/json.h"
#include "replay/json_root_members.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

constexpr std::array<std::string_view, 4> kKeys = {"a", "b", "c", "\xd1\x8f"};

// What the built object says of the same picks: the reference PickMembers must agree with.
PickedObject Built(std::string_view text, std::span<const MemberPick> picks) {
    PickedObject out;
    const ParsedObject root = ParseObject(text);
    out.status = root.status;
    if (!root.Ok())
        return out;
    for (const MemberPick& pick : picks) {
        PickedMembers picked;
        picked.values.resize(pick.keys.size());
        ParsedObject holder = ObjectOf(root.object, pick.member);
        picked.holder = holder.status;
        ParsedObject object = holder;
        if (holder.Ok())
            picked.holderHasMembers = holder.object.MemberCount() > 0;
        if (pick.firstMemberOf) {
            object = ParsedObject{};
            object.status = JsonStatus::MissingKey;
            if (holder.Ok() && holder.object.MemberCount() > 0)
                object = ObjectAt(holder.object, 0);
        }
        picked.object = object.status;
        if (object.Ok())
            for (std::size_t k = 0; k < pick.keys.size(); ++k)
                picked.values[k] = object.object.ValueText(pick.keys[k]);
        out.picks.push_back(std::move(picked));
    }
    return out;
}

// The text in a string with room after it, as the replay blocks are cut, the room filled with
// bytes that would change the text's meaning were they read as part of it.
std::string WithRoom(std::string_view text) {
    std::string roomy(text);
    roomy.append(kJsonCheckRoom, '}');
    roomy.resize(text.size());
    return roomy;
}

void ExpectSame(std::string_view text, std::span<const MemberPick> picks) {
    const PickedObject built = Built(text, picks);
    const PickedObject picked = PickMembers(std::string(text), picks);
    ASSERT_EQ(picked.status, built.status) << text;
    ASSERT_EQ(PickMembers(WithRoom(text), picks).status, built.status) << text;
    if (built.status != JsonStatus::Ok)
        return;
    ASSERT_EQ(picked.picks.size(), built.picks.size());
    for (std::size_t i = 0; i < built.picks.size(); ++i) {
        EXPECT_EQ(picked.picks[i].holder, built.picks[i].holder) << text;
        EXPECT_EQ(picked.picks[i].object, built.picks[i].object) << text;
        if (built.picks[i].holder == JsonStatus::Ok) {
            EXPECT_EQ(picked.picks[i].holderHasMembers, built.picks[i].holderHasMembers) << text;
        }
        EXPECT_EQ(picked.picks[i].values, built.picks[i].values) << text;
    }
}

constexpr std::array<std::string_view, 3> kMemberKeys = {"p", "x", "absent"};

// ParseObjectMembers answers for its keys, and for the presence of another, as the whole
// object does.
void ExpectSameMembers(std::string_view text, std::span<const std::string_view> keys = kMemberKeys,
                       std::string_view presentOnlyKey = "q") {
    const std::array<std::string_view, 1> presentOnly = {presentOnlyKey};
    const ParsedObject whole = ParseObject(text);
    const ParsedObject part = ParseObjectMembers(std::string(text), keys, presentOnly);
    ASSERT_EQ(part.status, whole.status) << text;
    ASSERT_EQ(ParseObjectMembers(WithRoom(text), keys, presentOnly).status, whole.status) << text;
    if (!whole.Ok())
        return;
    for (std::string_view key : keys) {
        EXPECT_EQ(part.object.ValueText(key), whole.object.ValueText(key)) << text;
        EXPECT_EQ(part.object.MemberText(key), whole.object.MemberText(key)) << text;
    }
    EXPECT_EQ(part.object.Has(presentOnlyKey), whole.object.Has(presentOnlyKey)) << text;
}

TEST(PickMembers, AgreesWithTheBuiltObjectOnEveryShape) {
    const std::array<MemberPick, 2> direct = {MemberPick{"p", false, kKeys},
                                              MemberPick{"q", false, kKeys}};
    const std::array<MemberPick, 2> wrapped = {MemberPick{"p", true, kKeys},
                                               MemberPick{"q", false, kKeys}};
    const std::string texts[] = {
        R"({"p":{"a":1,"b":[1,"2",{"x":"y\"z"}],"c":"t\"q","я":null},"q":{"a":true}})",
        R"({"p":{"a":1,"a":2,"b":{"n":[[],{}],"m":"09"},"c":-0.5e10},"p":{"a":3}})",
        R"({"p":{"v1":{"a":"x","b":false,"c":[],"\u044f":"\u00e9\\"}},"q":[1]})",
        R"({"p":{"v1":5,"v2":{"a":1}},"q":"s"})",
        R"({"p":{},"q":{}})",
        R"({"p":[{"a":1}],"x":{"p":{"a":2}}})",
        R"({"x":1})",
        R"([{"p":{"a":1}}])",
        R"("text")",
        R"({"p":{"a":1})",
        R"({"p":{"a":1}} x)",
        "{\"p\":{\"a\":\"\xcf\xf0\xe8\xe2\xe5\xf2\",\"b\":[\"\xff\"]}}",
        std::string("{\"p\":{\"a\":1}\0}", 14),
        R"({"p":{"a":123456789012345678901234567890123456789e999999,"b":1}})",
        R"({"p":{"a":{"b":{"c":[1,[2,[3,{"d":"}"}]]]}},"b":"{","c":"]"}})",
        "",
        // Texts that the quick path cuts members out of, and texts it must leave to the parse.
        R"( { "x" : [1,"]",[2,{"p":"}"}]] , "p" : { "a" : "x\"]}" , "b" : 2 } , "q" : 3 } )",
        R"({"\u0070":{"a":1},"p":{"a":2},"q":{"a":3}})",
        R"({"p":{"a":"\ud83d\ude00","b":"\udc00"},"q":{"a":"\ud800"}})",
        R"({"p":{"a":Infinity,"b":-Infinity},"q":{"a":NaN}})",
        R"({"p":{"a":123456789012345678901234567890,"b":1e400},"q":{}})",
        "{\"p\":{\"a\":\"\xd1\x8f\",\"\xd1\x8f\":2}}",
        R"({"p":{"a":1},"q":{"a":2},"p":{"a":3},"q":[]})",
        R"({"x":"\\","p":{"a":"\\u0041","b":"\\\"","c":"\ud800x"}})",
        R"({"p": {"a" : [ 1 , "x y" , { "k" : true } ] , "b" : " s ", "c" : null } , "q" : 5 })",
        R"({"p":{"v":[1],"w":{"a":2}},"q":{"a":{"b":1},"b":"é","c":[]}})",
        R"({"p":{"v":{"a":"x\"y","b":"\u0041"}},"q":{"a":-0,"b":1.50E+2}})",
        R"({"p":[],"q":null})",
    };
    for (const std::string& text : texts) {
        ExpectSame(text, direct);
        ExpectSame(text, wrapped);
        ExpectSameMembers(text);
    }
}

TEST(PickMembers, AgreesWithTheBuiltObjectOnRealResults) {
    KORDEX_REQUIRE_SHARED_REPLAYS();
    constexpr std::array<std::string_view, 6> personal = {
        "xp", "autoEquipCost", "health", "premiumCreditsFactor10", "team", "originalCredits"};
    constexpr std::array<std::string_view, 2> common = {"winnerTeam", "bonusType"};
    int read = 0;
    for (const std::string& path : test::SharedReplayFiles()) {
        const auto blocks = ReadReplayBlocks(path, ReadingVariant::List);
        if (!blocks)
            continue;
        for (bool wrapped : {false, true}) {
            const std::array<MemberPick, 2> picks = {MemberPick{"personal", wrapped, personal},
                                                     MemberPick{"common", false, common}};
            ExpectSame(blocks->ResultsBlock, picks);
        }
        constexpr std::array<std::string_view, 4> headerKeys = {"mapDisplayName", "dateTime",
                                                                "playerName", "regionCode"};
        ExpectSameMembers(blocks->HeaderBlock, headerKeys, "vehicles");
        ++read;
    }
    EXPECT_GT(read, 100);
}

}  // namespace
}  // namespace kordex
