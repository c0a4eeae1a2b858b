// The JSON layer against texts no game client writes but a damaged or crafted file can hold.
#include <gtest/gtest.h>

#include <string>

#include "replay/json.h"

namespace kordex {
namespace {

constexpr int kDeep = 100'000;

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    text.reserve(piece.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(JsonHostile, ArraysNestedAHundredThousandDeepParseAndPrintWithoutRecursion) {
    const std::string nested = Repeat("[", kDeep) + Repeat("]", kDeep);
    const auto parsed = ParseObject("{\"a\":" + nested + ",\"b\":1}");
    ASSERT_TRUE(parsed.Ok());
    EXPECT_EQ(parsed.object.ValueText("a"), nested);
    EXPECT_EQ(parsed.object.MemberText("a"), nested);
    EXPECT_EQ(parsed.object.ValueTextAt(0), nested);
    EXPECT_EQ(parsed.object.ValueText("b"), "1");
}

TEST(JsonHostile, ObjectsNestedAHundredThousandDeepGiveTheirMemberTextBack) {
    const std::string nested = Repeat("{\"k\":", kDeep) + "7" + Repeat("}", kDeep);
    const auto parsed = ParseObject("{\"a\":" + nested + "}");
    ASSERT_TRUE(parsed.Ok());
    const auto member = parsed.object.MemberText("a");
    ASSERT_TRUE(member);
    EXPECT_EQ(*member, nested);
    EXPECT_EQ(parsed.object.ValueText("a"), StripQuotes(nested));
    // The member text parses again into the same depth; the walk down is a loop.
    const auto again = ParseObject(*member);
    ASSERT_TRUE(again.Ok());
    JsonObject level = again.object;
    for (int depth = 1; depth < kDeep; ++depth) {
        auto inner = ObjectOf(level, "k");
        ASSERT_TRUE(inner.Ok()) << depth;
        level = inner.object;
    }
    EXPECT_EQ(level.ValueText("k"), "7");
}

TEST(JsonHostile, UnclosedDeepNestingIsNotJson) {
    EXPECT_EQ(ParseObject("{\"a\":" + Repeat("[", kDeep)).status, JsonStatus::NotJson);
    EXPECT_EQ(ParseObject(Repeat("{\"a\":", kDeep)).status, JsonStatus::NotJson);
}

TEST(JsonHostile, NumbersOfFourHundredDigitsStayAsWritten) {
    const std::string digits = "9" + Repeat("0123456789", 40).substr(1);
    ASSERT_EQ(digits.size(), 400u);
    for (const std::string& number : {digits, "-" + digits, digits + "." + digits, "1e" + digits,
                                      "0." + digits + "E-" + digits}) {
        const auto parsed = ParseObject("{\"n\":" + number + ",\"l\":[" + number + "]}");
        ASSERT_TRUE(parsed.Ok()) << number;
        EXPECT_EQ(parsed.object.ValueText("n"), number);
        EXPECT_EQ(parsed.object.ValueText("l"), "[" + number + "]");
        EXPECT_EQ(parsed.object.MemberText("l"), "[" + number + "]");
    }
}

TEST(JsonHostile, NulCharacters) {
    // A raw NUL inside a string is no JSON; an escaped one is a character like any other and
    // survives the member text.
    EXPECT_EQ(ParseObject(std::string("{\"n\":\"a\0b\"}", 11)).status, JsonStatus::NotJson);
    EXPECT_EQ(ParseObject(std::string("{\"n\":1}\0garbage", 15)).status, JsonStatus::NotJson);
    const auto parsed = ParseObject(R"({"v":{"n\u0000k":"a\u0000b"}})");
    ASSERT_TRUE(parsed.Ok());
    const auto inner = ObjectOf(parsed.object, "v");
    ASSERT_TRUE(inner.Ok());
    EXPECT_EQ(inner.object.Key(0), std::string("n\0k", 3));
    EXPECT_EQ(inner.object.ValueTextAt(0), std::string("a\0b", 3));
    const auto again = ParseObject(*parsed.object.MemberText("v"));
    ASSERT_TRUE(again.Ok());
    EXPECT_EQ(again.object.Key(0), std::string("n\0k", 3));
    EXPECT_EQ(again.object.ValueTextAt(0), std::string("a\0b", 3));
}

TEST(JsonHostile, ARepeatedKeyAnswersWithItsFirstValueAndCountsTwice) {
    const auto parsed = ParseObject(R"({"xp":1,"xp":2,"o":{"a":1},"o":5})");
    ASSERT_TRUE(parsed.Ok());
    EXPECT_EQ(parsed.object.MemberCount(), 4u);
    EXPECT_EQ(parsed.object.ValueText("xp"), "1");
    EXPECT_EQ(parsed.object.ValueTextAt(1), "2");
    EXPECT_TRUE(ObjectOf(parsed.object, "o").Ok());
    EXPECT_EQ(ObjectAt(parsed.object, 3).status, JsonStatus::NotObject);
}

// Found by the fuzzer: a member text held the characters beyond ASCII as UTF-8 bytes, which
// ParseObject reads as windows-1251, so a name read through the member text came out garbled.
TEST(JsonHostile, MemberTextKeepsCharactersBeyondAscii) {
    struct Case {
        std::string text;
        std::string key;
        std::string value;
    };
    const Case cases[] = {
        {"{\"\":{\"\":\"\xff\"}}", "", "я"},
        {"{\"v\":{\"\xcd\xe8\xea\":\"\xcd\xe8\xea\"}}", "Ник", "Ник"},
        {R"({"v":{"n":"\u041c\u0430\u043b\u0438\u043d\u043e\u0432\u043a\u0430"}})", "n",
         "Малиновка"},
        {R"({"v":{"e":"\ud83d\ude00 \u00e9"}})", "e", "\xF0\x9F\x98\x80 \xC3\xA9"},
        {"{\"v\":{\"q\":\"\\\"\x98\\\\\"}}", "q", "\\\xEF\xBF\xBD\\"},
        {R"({"v":{"s":"\udc00"}})", "s", "\xED\xB0\x80"},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseObject(c.text);
        ASSERT_TRUE(parsed.Ok()) << c.text;
        const auto direct = ObjectAt(parsed.object, 0);
        ASSERT_TRUE(direct.Ok()) << c.text;
        EXPECT_EQ(direct.object.Key(0), c.key);
        EXPECT_EQ(direct.object.ValueTextAt(0), c.value);

        const auto again = ParseObject(parsed.object.MemberTextAt(0));
        ASSERT_TRUE(again.Ok()) << c.text;
        EXPECT_EQ(again.object.Key(0), c.key) << c.text;
        EXPECT_EQ(again.object.ValueTextAt(0), c.value) << c.text;
    }
    // What is shown keeps the characters themselves.
    const auto parsed = ParseObject("{\"a\":[\"\xcd\xe8\xea\"]}");
    ASSERT_TRUE(parsed.Ok());
    EXPECT_EQ(parsed.object.ValueText("a"), "[Ник]");
}

// Found by the fuzzer: a string that merely looked like a number ("09") went into the member
// text without its quotes, and the member text was no JSON.
TEST(JsonHostile, MemberTextQuotesStringsThatAreNoJsonNumbers) {
    for (const char* text : {"09", "-01", "1.", ".5", "+1", "1e", "-", "00", "1.5e+"}) {
        const auto parsed = ParseObject(std::string(R"({"v":{"s":")") + text + R"("}})");
        ASSERT_TRUE(parsed.Ok()) << text;
        const auto again = ParseObject(parsed.object.MemberTextAt(0));
        ASSERT_TRUE(again.Ok()) << text;
        EXPECT_EQ(again.object.ValueText("s"), text);
    }
    const auto parsed = ParseObject(R"({"v":{"n":-0.50e+3,"s":"-0.50e+3"}})");
    ASSERT_TRUE(parsed.Ok());
    EXPECT_EQ(parsed.object.MemberTextAt(0), R"({"n":-0.50e+3,"s":-0.50e+3})");
}

}  // namespace
}  // namespace kordex
