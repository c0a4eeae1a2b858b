#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kordex {

// One member of a JSON object as it stands in the text: its key (no escapes in it) and its
// value's text, both pointing into the text.
struct JsonMemberText {
    std::string_view key;
    std::string_view value;
};

// The room a text's string keeps after its characters so that ValidRootMembers checks it where
// it stands (the replay blocks are cut with it); a text without it is copied for the check.
inline constexpr std::size_t kJsonCheckRoom = 64;

// The first root member of each name asked for, in text order, found without building
// anything: a library scan needs a few members of texts of tens of kilobytes. The names are
// looked up among the keys the check reads, so the members between those asked for are never
// walked; a name of `presentOnly` comes with an empty value, unread. Given only for a text that
// is valid by strict JSON's rules (UTF-8 included; checked by simdjson, several times faster
// than a full parse), holds no \u escape of a surrogate, and writes each key asked for without
// an escape: every such text reads the same through ParseObject, whole or cut down to some of
// its members. Nothing for any other text, and always nothing in a build without simdjson:
// the caller then parses the whole text, as it does when a name holds an escape or a byte
// above 127.
std::optional<std::vector<JsonMemberText>> ValidRootMembers(
    const std::string& text, std::span<const std::string_view> wanted,
    std::span<const std::string_view> presentOnly = {});

// The members of an object text that is part of a text ValidRootMembers gave members for;
// nothing when a key holds an escape or a byte above 127 (it reads as another key then).
std::optional<std::vector<JsonMemberText>> MembersOf(std::string_view object);

// The text of an object's first member's value and all after it (so the value's end need not be
// looked for: an object value's members end at its own closing brace); nothing for an object
// without members.
std::optional<std::string_view> FirstValueOnward(std::string_view object);

// The first member of the key, or null: a repeated key counts its first value, as in ParseObject.
const JsonMemberText* FirstMemberNamed(std::span<const JsonMemberText> members,
                                       std::string_view key);

// The ValueText of a value's text from such a text, when no escape or byte above 127 is in
// it: its quotes left out, and the spaces between its parts.
std::optional<std::string> PlainValueText(std::string_view value);

// The JSON object text of the first member of each key, in the order of the keys, then of
// each key of `presentOnly` with null for its value; a key no member has is left out.
std::string ObjectTextOf(std::span<const JsonMemberText> members,
                         std::span<const std::string_view> keys,
                         std::span<const std::string_view> presentOnly = {});

}  // namespace kordex
