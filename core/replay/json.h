#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kordex {

// How asking for an object ended: a text that is not JSON, JSON that is not an object and a
// missing key are different failures, which some callers report differently.
enum class JsonStatus { Ok, NotJson, NotObject, MissingKey };

// A parsed JSON object: members in text order, addressed by key or by position. Every value
// is taken over as text (ValueText), numbers exactly as written.
class JsonObject {
  public:
    std::size_t MemberCount() const;
    // The key of the member at position i, escapes decoded.
    std::string Key(std::size_t i) const;
    std::string ValueTextAt(std::size_t i) const;
    // The member's compact JSON text with its quotes kept; ParseObject of it gives it back.
    std::string MemberTextAt(std::size_t i) const;

    bool Has(std::string_view key) const;
    std::optional<std::string> ValueText(std::string_view key) const;
    std::optional<std::string> MemberText(std::string_view key) const;

    struct Impl;

  private:
    friend struct JsonObjectAccess;
    std::shared_ptr<const Impl> document_;
    const void* value_ = nullptr;
};

struct ParsedObject {
    JsonStatus status = JsonStatus::NotJson;
    JsonObject object;
    bool Ok() const { return status == JsonStatus::Ok; }
};

// A text parsed as JSON. Bytes above 127 are characters of the windows-1251 code page, as the
// replay's text reads on the players' systems; characters beyond it arrive as \u escapes.
ParsedObject ParseObject(std::string_view text);

// ParseObject of a text of which only some root members are wanted: the first member of each
// of the keys, and of each key of `presentOnly` only whether it is there (its value may read as
// null). When the text is known to be JSON, the other members are left out unread.
ParsedObject ParseObjectMembers(const std::string& text, std::span<const std::string_view> keys,
                                std::span<const std::string_view> presentOnly = {});

// The same as ParseObject of the member text, without writing and reading it again.
ParsedObject ObjectAt(const JsonObject& object, std::size_t i);
ParsedObject ObjectOf(const JsonObject& object, std::string_view key);

// Reading only some members of a JSON object's sub-objects, without building the rest: a
// library scan needs two dozen values of a results text that holds thousands.
struct MemberPick {
    std::string_view member;     // the root's member that holds the sub-object
    bool firstMemberOf = false;  // the sub-object is the value of that member's first member
    std::span<const std::string_view> keys;  // the members whose value texts are taken
};
struct PickedMembers {
    // The root's member: Ok (an object), NotObject or MissingKey; and whether it has members.
    JsonStatus holder = JsonStatus::MissingKey;
    bool holderHasMembers = false;
    // The sub-object: the holder itself, or the value of the holder's first member.
    JsonStatus object = JsonStatus::MissingKey;
    // The ValueText of each key asked for, from the first member of that name.
    std::vector<std::optional<std::string>> values;
};
struct PickedObject {
    JsonStatus status = JsonStatus::NotJson;  // of the text: Ok, NotJson or NotObject
    std::vector<PickedMembers> picks;         // one per pick, the first member of each name
};

// Reads the text under the rules of ParseObject, so it fails exactly where ParseObject fails,
// and gives the same value texts as ParseObject's objects would.
PickedObject PickMembers(const std::string& text, std::span<const MemberPick> picks);

// A text with every double-quote character removed.
std::string StripQuotes(std::string_view text);

}  // namespace kordex
