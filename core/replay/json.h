#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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

// The same as ParseObject of the member text, without writing and reading it again.
ParsedObject ObjectAt(const JsonObject& object, std::size_t i);
ParsedObject ObjectOf(const JsonObject& object, std::string_view key);

// A text with every double-quote character removed.
std::string StripQuotes(std::string_view text);

}  // namespace kordex
