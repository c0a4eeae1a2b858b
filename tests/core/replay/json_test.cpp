#include "replay/json.h"

#include <gtest/gtest.h>

namespace kordex {
namespace {

TEST(ParseObject, TellsNotJsonFromNotAnObject) {
    EXPECT_EQ(ParseObject("{\"a\":").status, JsonStatus::NotJson);
    EXPECT_EQ(ParseObject("").status, JsonStatus::NotJson);
    EXPECT_EQ(ParseObject("[1,2]").status, JsonStatus::NotObject);
    EXPECT_EQ(ParseObject("\"text\"").status, JsonStatus::NotObject);
    EXPECT_EQ(ParseObject("{}").status, JsonStatus::Ok);
}

TEST(ParseObject, KeepsMembersInTextOrder) {
    auto parsed = ParseObject(R"({"z":1,"a":2,"m":3})");
    ASSERT_TRUE(parsed.Ok());
    ASSERT_EQ(parsed.object.MemberCount(), 3u);
    EXPECT_EQ(parsed.object.Key(0), "z");
    EXPECT_EQ(parsed.object.Key(1), "a");
    EXPECT_EQ(parsed.object.Key(2), "m");
}

TEST(ValueText, GivesNumbersExactlyAsWritten) {
    auto parsed = ParseObject(
        R"({"a":413.5,"b":1.50,"c":1e3,"d":18446744073709551615,"e":-0,"f":true,"g":null})");
    ASSERT_TRUE(parsed.Ok());
    const auto& o = parsed.object;
    EXPECT_EQ(o.ValueText("a"), "413.5");
    EXPECT_EQ(o.ValueText("b"), "1.50");
    EXPECT_EQ(o.ValueText("c"), "1e3");
    EXPECT_EQ(o.ValueText("d"), "18446744073709551615");
    EXPECT_EQ(o.ValueText("e"), "-0");
    EXPECT_EQ(o.ValueText("f"), "true");
    EXPECT_EQ(o.ValueText("g"), "null");
    EXPECT_EQ(o.ValueText("missing"), std::nullopt);
}

TEST(ValueText, StringsDecodeEscapesAndTurnQuotesIntoBackslashes) {
    auto parsed = ParseObject(
        R"({"name":"\u041c\u0430\u043b\u0438\u043d\u043e\u0432\u043a\u0430","q":"a\"b"})");
    ASSERT_TRUE(parsed.Ok());
    EXPECT_EQ(parsed.object.ValueText("name"), "Малиновка");
    EXPECT_EQ(parsed.object.ValueText("q"), "a\\b");
}

TEST(ValueText, ArraysAndObjectsAreCompactWithoutQuotes) {
    auto parsed = ParseObject(R"({"autoLoadCost": [1234, 0], "o": {"k": "v", "n": [1, "x"]}})");
    ASSERT_TRUE(parsed.Ok());
    EXPECT_EQ(parsed.object.ValueText("autoLoadCost"), "[1234,0]");
    EXPECT_EQ(parsed.object.ValueText("o"), "{k:v,n:[1,x]}");
}

TEST(MemberText, ParsesBackToTheSameSubObject) {
    auto parsed = ParseObject(R"({"v": {"name": "a\"b\\c", "xp": 413.5, "list": [1, 2]}})");
    ASSERT_TRUE(parsed.Ok());
    auto text = parsed.object.MemberText("v");
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, R"({"name":"a\"b\\c","xp":413.5,"list":[1,2]})");
    auto again = ParseObject(*text);
    ASSERT_TRUE(again.Ok());
    auto direct = ObjectOf(parsed.object, "v");
    ASSERT_TRUE(direct.Ok());
    for (const char* key : {"name", "xp", "list"})
        EXPECT_EQ(again.object.ValueText(key), direct.object.ValueText(key)) << key;
}

TEST(ParseObject, ReadsBytesAbove127AsWindows1251) {
    // "Ник" in windows-1251.
    auto parsed = ParseObject("{\"n\":\"\xCD\xE8\xEA\"}");
    ASSERT_TRUE(parsed.Ok());
    EXPECT_EQ(parsed.object.ValueText("n"), "Ник");
}

TEST(ObjectOf, ReportsMissingKeysAndNonObjects) {
    auto parsed = ParseObject(R"({"a":[1],"b":{}})");
    ASSERT_TRUE(parsed.Ok());
    EXPECT_EQ(ObjectOf(parsed.object, "zz").status, JsonStatus::MissingKey);
    EXPECT_EQ(ObjectOf(parsed.object, "a").status, JsonStatus::NotObject);
    EXPECT_EQ(ObjectOf(parsed.object, "b").status, JsonStatus::Ok);
    EXPECT_EQ(ObjectAt(parsed.object, 0).status, JsonStatus::NotObject);
}

TEST(StripQuotes, RemovesEveryDoubleQuote) {
    EXPECT_EQ(StripQuotes(R"("a"b"")"), "ab");
}

}  // namespace
}  // namespace kordex

namespace kordex {
namespace {

// The header's "vehicles" reaches the header pass as a member text: a Cyrillic player name must
// come back as the same characters, or it no longer matches the name in "players".
TEST(MemberText, KeepsCharactersBeyondAsciiThroughParseObject) {
    auto parsed = ParseObject(
        R"({"v":{"name":"\u0418\u0432\u0430\u043d","clan":"\u00e9\ud83d\ude00","raw":"ok"}})");
    ASSERT_TRUE(parsed.Ok());
    auto text = parsed.object.MemberText("v");
    ASSERT_TRUE(text);
    auto again = ParseObject(*text);
    ASSERT_TRUE(again.Ok()) << *text;
    EXPECT_EQ(again.object.ValueText("name"), "Иван");
    EXPECT_EQ(again.object.ValueText("clan"), "é\U0001F600");
    EXPECT_EQ(ParseObject(parsed.object.MemberTextAt(0)).object.ValueText("name"), "Иван");
    // A value text is for showing: its characters stay as they are.
    EXPECT_EQ(parsed.object.ValueText("v"), "{name:Иван,clan:é\U0001F600,raw:ok}");
}

}  // namespace
}  // namespace kordex
