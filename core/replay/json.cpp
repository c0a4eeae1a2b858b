#include "replay/json.h"

#include <rapidjson/document.h>
#include <rapidjson/error/error.h>

#include <algorithm>

#include "tables/windows1251.h"

namespace kordex {

// Numbers are kept as the text written in the file; the DOM then holds them as strings.
constexpr unsigned kParseFlags =
    rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseIterativeFlag;

struct JsonObject::Impl {
    rapidjson::Document document;
};

struct JsonObjectAccess {
    static const rapidjson::Value& Value(const JsonObject& object) {
        return *static_cast<const rapidjson::Value*>(object.value_);
    }
    static JsonObject Make(std::shared_ptr<const JsonObject::Impl> document,
                           const rapidjson::Value& value) {
        JsonObject object;
        object.document_ = std::move(document);
        object.value_ = &value;
        return object;
    }
    static const std::shared_ptr<const JsonObject::Impl>& Document(const JsonObject& object) {
        return object.document_;
    }
};

namespace {

using rapidjson::Value;

// A string that reads as a JSON number was a number in the text (the DOM keeps numbers as
// strings); writing it bare keeps a member text's numbers as they were.
bool LooksLikeNumber(std::string_view s) {
    std::size_t i = 0;
    auto digits = [&] {
        std::size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i;
        return i > start;
    };
    if (i < s.size() && s[i] == '-')
        ++i;
    if (!digits())
        return false;
    if (i < s.size() && s[i] == '.') {
        ++i;
        if (!digits())
            return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (!digits())
            return false;
    }
    return i == s.size();
}

// The UTF-8 sequence starting at s[i] as \u escapes (a surrogate pair beyond the BMP); i moves to
// its last byte.
void WriteUnicodeEscape(std::string_view s, std::size_t& i, std::string& out) {
    static const char* kHex = "0123456789abcdef";
    auto lead = static_cast<unsigned char>(s[i]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    unsigned code = lead & (extra == 3 ? 0x07u : extra == 2 ? 0x0Fu : extra == 1 ? 0x1Fu : 0xFFu);
    for (int k = 0; k < extra && i + 1 < s.size(); ++k)
        code = (code << 6) | (static_cast<unsigned char>(s[++i]) & 0x3Fu);
    auto unit = [&](unsigned u) {
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4)
            out += kHex[(u >> shift) & 0xF];
    };
    if (code >= 0x10000) {
        code -= 0x10000;
        unit(0xD800 + (code >> 10));
        unit(0xDC00 + (code & 0x3FF));
    } else {
        unit(code);
    }
}

// asciiOnly: characters beyond ASCII as \u escapes. A member text must, since ParseObject reads
// bytes above 127 as windows-1251 characters and would not give the same characters back.
void WriteJsonString(std::string_view s, std::string& out, bool asciiOnly) {
    static const char* kHex = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0; i < s.size(); ++i) {
        char ch = s[i];
        auto c = static_cast<unsigned char>(ch);
        if (asciiOnly && c >= 0x80) {
            WriteUnicodeEscape(s, i, out);
            continue;
        }
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
}

std::string_view StringOf(const Value& value) {
    return {value.GetString(), value.GetStringLength()};
}

// The compact JSON text of a value: no spaces, members and elements separated by ",".
void WriteCompact(const Value& value, std::string& out, bool asciiOnly) {
    switch (value.GetType()) {
        case rapidjson::kNullType:
            out += "null";
            break;
        case rapidjson::kFalseType:
            out += "false";
            break;
        case rapidjson::kTrueType:
            out += "true";
            break;
        case rapidjson::kStringType:
            if (LooksLikeNumber(StringOf(value)))
                out += StringOf(value);
            else
                WriteJsonString(StringOf(value), out, asciiOnly);
            break;
        case rapidjson::kNumberType:
            out += "0";
            break;  // not produced with numbers as strings
        case rapidjson::kArrayType: {
            out += '[';
            bool first = true;
            for (const auto& element : value.GetArray()) {
                if (!first)
                    out += ',';
                first = false;
                WriteCompact(element, out, asciiOnly);
            }
            out += ']';
            break;
        }
        case rapidjson::kObjectType: {
            out += '{';
            bool first = true;
            for (const auto& member : value.GetObject()) {
                if (!first)
                    out += ',';
                first = false;
                WriteJsonString(StringOf(member.name), out, asciiOnly);
                out += ':';
                WriteCompact(member.value, out, asciiOnly);
            }
            out += '}';
            break;
        }
    }
}

std::string CompactText(const Value& value, bool asciiOnly = false) {
    std::string out;
    WriteCompact(value, out, asciiOnly);
    return out;
}

// ValueText: the compact text without its double quotes. A string is its characters, a quote
// inside it turning into the backslash that escaped it.
std::string ValueTextOf(const Value& value) {
    if (value.IsString()) {
        std::string text(StringOf(value));
        std::replace(text.begin(), text.end(), '"', '\\');
        return text;
    }
    return StripQuotes(CompactText(value));
}

const Value* Find(const Value& object, std::string_view key) {
    // The first member of that name counts, as a key repeated in the text is read once.
    for (const auto& member : object.GetObject())
        if (StringOf(member.name) == key)
            return &member.value;
    return nullptr;
}

ParsedObject Wrap(std::shared_ptr<const JsonObject::Impl> document, const Value& value) {
    ParsedObject parsed;
    if (!value.IsObject()) {
        parsed.status = JsonStatus::NotObject;
        return parsed;
    }
    parsed.status = JsonStatus::Ok;
    parsed.object = JsonObjectAccess::Make(std::move(document), value);
    return parsed;
}

}  // namespace

std::size_t JsonObject::MemberCount() const {
    return value_ ? JsonObjectAccess::Value(*this).MemberCount() : 0;
}

std::string JsonObject::Key(std::size_t i) const {
    const auto& object = JsonObjectAccess::Value(*this);
    return std::string(StringOf((object.MemberBegin() + i)->name));
}

std::string JsonObject::ValueTextAt(std::size_t i) const {
    const auto& object = JsonObjectAccess::Value(*this);
    return ValueTextOf((object.MemberBegin() + i)->value);
}

std::string JsonObject::MemberTextAt(std::size_t i) const {
    const auto& object = JsonObjectAccess::Value(*this);
    return CompactText((object.MemberBegin() + i)->value, true);
}

bool JsonObject::Has(std::string_view key) const {
    return value_ && Find(JsonObjectAccess::Value(*this), key) != nullptr;
}

std::optional<std::string> JsonObject::ValueText(std::string_view key) const {
    if (!value_)
        return std::nullopt;
    const Value* value = Find(JsonObjectAccess::Value(*this), key);
    if (!value)
        return std::nullopt;
    return ValueTextOf(*value);
}

std::optional<std::string> JsonObject::MemberText(std::string_view key) const {
    if (!value_)
        return std::nullopt;
    const Value* value = Find(JsonObjectAccess::Value(*this), key);
    if (!value)
        return std::nullopt;
    return CompactText(*value, true);
}

ParsedObject ParseObject(std::string_view text) {
    auto impl = std::make_shared<JsonObject::Impl>();
    bool ascii = std::all_of(text.begin(), text.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    std::string converted;
    if (!ascii) {
        converted = Windows1251ToUtf8(text);
        text = converted;
    }
    impl->document.Parse<kParseFlags>(text.data(), text.size());
    if (impl->document.HasParseError())
        return ParsedObject{};
    const Value& root = impl->document;
    return Wrap(std::move(impl), root);
}

ParsedObject ObjectAt(const JsonObject& object, std::size_t i) {
    const auto& value = JsonObjectAccess::Value(object);
    return Wrap(JsonObjectAccess::Document(object), (value.MemberBegin() + i)->value);
}

ParsedObject ObjectOf(const JsonObject& object, std::string_view key) {
    ParsedObject parsed;
    parsed.status = JsonStatus::MissingKey;
    if (!object.Has(key))
        return parsed;
    return Wrap(JsonObjectAccess::Document(object), *Find(JsonObjectAccess::Value(object), key));
}

std::string StripQuotes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '"')
            out += c;
    return out;
}

}  // namespace kordex
