#include "replay/json.h"

// The parser skips white space and copies strings sixteen bytes at a time where the processor
// can (every x86-64 can). Its aligned loads may read past the end of the text within the same
// page, which the address and thread sanitizers report: sanitized builds parse byte by byte.
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define KORDEX_SANITIZED_MEMORY
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KORDEX_SANITIZED_MEMORY
#endif
#if defined(__SSE2__) && !defined(RAPIDJSON_SSE2) && !defined(KORDEX_SANITIZED_MEMORY)
#define RAPIDJSON_SSE2
#endif
#include <rapidjson/document.h>
#include <rapidjson/error/error.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "replay/byte_scan.h"
#include "replay/json_root_members.h"
#include "text/utf8.h"
#include "text/windows1251.h"

namespace kordex {

// Numbers are kept as the text written in the file; the DOM then holds them as strings.
// Some 1.6 replays write a bare Infinity; it is taken as the text of a number.
constexpr unsigned kParseFlags =
    rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseNanAndInfFlag;

struct JsonObject::Impl {
    std::string text;  // parsed in place: the DOM's strings point into it
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

// A number as JSON writes it: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
bool IsJsonNumber(std::string_view s) {
    if (s.starts_with('-'))
        s.remove_prefix(1);
    if (s.empty() || s.front() == '-')
        return false;
    if (s.size() > 1 && s[0] == '0' && s[1] >= '0' && s[1] <= '9')
        return false;
    return LooksLikeNumber(s);
}

// How characters beyond ASCII are written. A member text is parsed again, and ParseObject
// reads bytes above 127 as windows-1251: there they go as \u escapes, so the text gives the
// same sub-object back. A ValueText is shown, so it keeps the characters.
enum class NonAscii { Keep, Escape };

void AppendEscape(char32_t unit, std::string& out) {
    static const char* kHex = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(unit >> shift) & 0xF];
}

void WriteJsonString(std::string_view s, std::string& out, NonAscii nonAscii) {
    out += '"';
    std::size_t i = 0;
    while (i < s.size()) {
        // Characters that stand as they are go over in one run.
        const std::size_t run = byte_scan::FindStringEscape(s, i, nonAscii == NonAscii::Escape);
        out.append(s.data() + i, run - i);
        i = run;
        if (i == s.size())
            break;
        const char ch = s[i];
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && nonAscii == NonAscii::Escape) {
            // The DOM's strings are UTF-8 (decoded escapes or converted windows-1251), but a
            // lone "\udc00" escape stands in them as three bytes and is written again as it
            // was; a byte that starts no sequence stands for itself.
            const auto [codePoint, length, wellFormed] = DecodeUtf8Sequence(s, i, Surrogates::Kept);
            if (codePoint > 0xFFFF) {
                AppendEscape(0xD800 + ((codePoint - 0x10000) >> 10), out);
                AppendEscape(0xDC00 + ((codePoint - 0x10000) & 0x3FF), out);
            } else {
                AppendEscape(codePoint, out);
            }
            i += length;
            continue;
        }
        ++i;
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
                if (c < 0x20)
                    AppendEscape(c, out);
                else
                    out += ch;
        }
    }
    out += '"';
}

std::string_view StringOf(const Value& value) {
    return {value.GetString(), value.GetStringLength()};
}

void WriteScalar(const Value& value, std::string& out, NonAscii nonAscii) {
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
            // Only a text that is a number by JSON's rules may go bare: "09" stays a string.
            if (IsJsonNumber(StringOf(value)))
                out += StringOf(value);
            else
                WriteJsonString(StringOf(value), out, nonAscii);
            break;
        default:
            out += "0";  // numbers are strings in this DOM; containers are not scalars
    }
}

// The compact JSON text of a value: no spaces, members and elements separated by ",". It keeps
// its own stack of open containers, as a value nested many thousands deep would exhaust the
// program's stack.
void WriteCompact(const Value& root, std::string& out, NonAscii nonAscii) {
    struct Open {
        const Value* container;
        rapidjson::SizeType next;
    };
    std::vector<Open> open;
    auto begin = [&](const Value& value) {
        if (value.IsArray()) {
            out += '[';
            open.push_back({&value, 0});
        } else if (value.IsObject()) {
            out += '{';
            open.push_back({&value, 0});
        } else {
            WriteScalar(value, out, nonAscii);
        }
    };
    begin(root);
    while (!open.empty()) {
        const Value& container = *open.back().container;
        const rapidjson::SizeType i = open.back().next++;
        if (container.IsArray()) {
            if (i == container.Size()) {
                out += ']';
                open.pop_back();
                continue;
            }
            if (i > 0)
                out += ',';
            begin(container[i]);
        } else {
            if (i == container.MemberCount()) {
                out += '}';
                open.pop_back();
                continue;
            }
            if (i > 0)
                out += ',';
            const auto& member = *(container.MemberBegin() + i);
            WriteJsonString(StringOf(member.name), out, nonAscii);
            out += ':';
            begin(member.value);
        }
    }
}

std::string CompactText(const Value& value, NonAscii nonAscii) {
    std::string out;
    WriteCompact(value, out, nonAscii);
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
    return StripQuotes(CompactText(value, NonAscii::Keep));
}

// The text with every number outside strings written as a string. The parser gives up on
// numbers beyond the range of a double, although the DOM keeps numbers as their text anyway;
// as strings they reach the DOM exactly as they would have.
std::string QuoteNumbers(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 64);
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') {
            const std::size_t start = i++;
            while (i < text.size() && text[i] != '"')
                i += text[i] == '\\' ? 2 : 1;
            i = std::min(i + 1, text.size());
            out += text.substr(start, i - start);
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            const std::size_t end = text.find_first_not_of("0123456789+-.eE", i);
            const std::string_view token = text.substr(i, end - i);
            if (IsJsonNumber(token)) {
                out += '"';
                out += token;
                out += '"';
            } else {
                out += token;
            }
            i += token.size();
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

// The parser's recursive descent is much faster than its iterative parse, but nests on the
// program's stack; a text with more openers than this (so possibly nested that deep) takes
// the iterative parse, which keeps its stack on the heap. Replays hold a few hundred.
constexpr std::size_t kRecursionOpeners = 1024;

void ParseInPlace(JsonObject::Impl& impl, const byte_scan::TextSurvey& survey) {
    if (survey.manyOpeners)
        impl.document.ParseInsitu<kParseFlags | rapidjson::kParseIterativeFlag>(impl.text.data());
    else
        impl.document.ParseInsitu<kParseFlags>(impl.text.data());
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

// The events of one reading of a text, kept only where a pick wants them. Containers below the
// picked values are walked by the parser alone; a value taken whole is written compact as the
// events come, as CompactText writes it from a built object.
class PickingHandler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, PickingHandler> {
  public:
    explicit PickingHandler(std::span<const MemberPick> picks) : picks_(picks) {
        result_.picks.resize(picks.size());
        for (std::size_t i = 0; i < picks.size(); ++i)
            result_.picks[i].values.resize(picks[i].keys.size());
    }

    PickedObject Result(bool parsed) {
        if (!parsed)
            return PickedObject{};
        result_.status = rootIsObject_ ? JsonStatus::Ok : JsonStatus::NotObject;
        return std::move(result_);
    }

    bool Null() { return Scalar("null", false); }
    bool Bool(bool b) { return Scalar(b ? "true" : "false", false); }
    bool RawNumber(const char* s, rapidjson::SizeType n, bool) {
        return Scalar(std::string_view(s, n), false);
    }
    bool String(const char* s, rapidjson::SizeType n, bool) {
        return Scalar(std::string_view(s, n), true);
    }
    bool Key(const char* s, rapidjson::SizeType n, bool) {
        const std::string_view key(s, n);
        if (capturing_) {
            Separate();
            WriteJsonString(key, capture_, NonAscii::Keep);
            capture_ += ':';
            afterKey_ = true;
            return true;
        }
        Frame& frame = frames_.back();
        ++frame.members;
        next_ = Role{};
        if (frame.role.kind == RoleKind::Root) {
            for (std::size_t i = 0; i < picks_.size(); ++i)
                if (key == picks_[i].member && !seen_[i]) {
                    seen_[i] = true;
                    next_ = {picks_[i].firstMemberOf ? RoleKind::Holder : RoleKind::Object, i};
                }
        } else if (frame.role.kind == RoleKind::Holder) {
            if (frame.members == 1)
                next_ = {RoleKind::Object, frame.role.pick};
        } else if (frame.role.kind == RoleKind::Object) {
            const auto& keys = picks_[frame.role.pick].keys;
            auto& values = result_.picks[frame.role.pick].values;
            for (std::size_t k = 0; k < keys.size(); ++k)
                if (key == keys[k] && !values[k]) {
                    next_ = {RoleKind::Value, frame.role.pick, k};
                    break;
                }
        }
        return true;
    }
    bool StartObject() { return Open('{', true); }
    bool EndObject(rapidjson::SizeType) { return Close('}'); }
    bool StartArray() { return Open('[', false); }
    bool EndArray(rapidjson::SizeType) { return Close(']'); }

  private:
    enum class RoleKind { None, Root, Holder, Object, Value };
    struct Role {
        RoleKind kind = RoleKind::None;
        std::size_t pick = 0;
        std::size_t key = 0;
    };
    struct Frame {
        Role role;
        std::size_t members = 0;
    };

    // The role of the value that comes now, and no role for the one after it.
    Role TakeRole() {
        if (first_) {
            first_ = false;
            return {RoleKind::Root};
        }
        const Role role = next_;
        next_ = Role{};
        return role;
    }

    void Separate() {
        if (afterKey_)
            afterKey_ = false;
        else if (!firstInContainer_)
            capture_ += ',';
        firstInContainer_ = false;
    }

    bool Scalar(std::string_view text, bool isString) {
        if (capturing_) {
            Separate();
            // The built object keeps numbers as strings: a string that reads as a number goes
            // bare, as CompactText writes it.
            if (isString && !IsJsonNumber(text))
                WriteJsonString(text, capture_, NonAscii::Keep);
            else
                capture_ += text;
            return true;
        }
        const Role role = TakeRole();
        if (role.kind == RoleKind::Holder || role.kind == RoleKind::Object) {
            SetStatus(role, JsonStatus::NotObject);
        } else if (role.kind == RoleKind::Value) {
            std::string value(text);
            std::replace(value.begin(), value.end(), '"', '\\');
            result_.picks[role.pick].values[role.key] = std::move(value);
        }
        return true;
    }

    // The sub-object of a pick that takes the root's member directly is also its holder.
    void SetStatus(const Role& role, JsonStatus status) {
        PickedMembers& picked = result_.picks[role.pick];
        if (role.kind == RoleKind::Holder || !picks_[role.pick].firstMemberOf)
            picked.holder = status;
        if (role.kind == RoleKind::Object)
            picked.object = status;
    }

    bool Open(char bracket, bool object) {
        if (capturing_) {
            Separate();
            capture_ += bracket;
            firstInContainer_ = true;
            ++captureDepth_;
            return true;
        }
        const Role role = TakeRole();
        if (role.kind == RoleKind::Value) {
            capturing_ = true;
            captureRole_ = role;
            capture_.clear();
            capture_ += bracket;
            firstInContainer_ = true;
            captureDepth_ = 1;
            return true;
        }
        if (role.kind == RoleKind::Root)
            rootIsObject_ = object;
        if (role.kind == RoleKind::Holder || role.kind == RoleKind::Object)
            SetStatus(role, object ? JsonStatus::Ok : JsonStatus::NotObject);
        // Only objects have members to pick from.
        frames_.push_back({object ? role : Role{}, 0});
        return true;
    }

    bool Close(char bracket) {
        if (capturing_) {
            capture_ += bracket;
            firstInContainer_ = false;
            if (--captureDepth_ == 0) {
                capturing_ = false;
                result_.picks[captureRole_.pick].values[captureRole_.key] = StripQuotes(capture_);
            }
            return true;
        }
        const Frame frame = frames_.back();
        frames_.pop_back();
        if (frame.role.kind == RoleKind::Holder ||
            (frame.role.kind == RoleKind::Object && !picks_[frame.role.pick].firstMemberOf))
            result_.picks[frame.role.pick].holderHasMembers = frame.members > 0;
        return true;
    }

    std::span<const MemberPick> picks_;
    PickedObject result_;
    std::vector<Frame> frames_;
    std::vector<bool> seen_ = std::vector<bool>(picks_.size(), false);
    Role next_;
    bool first_ = true;
    bool rootIsObject_ = false;
    bool capturing_ = false;
    Role captureRole_;
    std::string capture_;
    int captureDepth_ = 0;
    bool firstInContainer_ = true;
    bool afterKey_ = false;
};

PickedObject PickFromWholeText(std::string_view text, std::span<const MemberPick> picks) {
    const byte_scan::TextSurvey survey = byte_scan::Survey(text, kRecursionOpeners);
    if (survey.nul)
        return PickedObject{};
    auto read = [&](std::string buffer, rapidjson::ParseErrorCode& error) {
        PickingHandler handler(picks);
        rapidjson::Reader reader;
        rapidjson::InsituStringStream stream(buffer.data());
        if (survey.manyOpeners)
            reader
                .Parse<kParseFlags | rapidjson::kParseInsituFlag | rapidjson::kParseIterativeFlag>(
                    stream, handler);
        else
            reader.Parse<kParseFlags | rapidjson::kParseInsituFlag>(stream, handler);
        error = reader.GetParseErrorCode();
        return handler.Result(error == rapidjson::kParseErrorNone);
    };
    rapidjson::ParseErrorCode error = rapidjson::kParseErrorNone;
    PickedObject picked = read(survey.ascii ? std::string(text) : Windows1251ToUtf8(text), error);
    if (error == rapidjson::kParseErrorNumberTooBig)
        picked =
            read(QuoteNumbers(survey.ascii ? std::string(text) : Windows1251ToUtf8(text)), error);
    return picked;
}

// The picks read straight from the members of a text known to be JSON, as PickingHandler
// reads them from the parse; nothing when a part asked for holds an escape or a byte above
// 127, which only the parse reads right.
std::optional<PickedObject> PickFromMembers(std::span<const JsonMemberText> root,
                                            std::span<const MemberPick> picks) {
    PickedObject result;
    result.status = JsonStatus::Ok;
    for (const MemberPick& pick : picks) {
        PickedMembers& picked = result.picks.emplace_back();
        picked.values.resize(pick.keys.size());
        const JsonMemberText* holder = FirstMemberNamed(root, pick.member);
        if (!holder)
            continue;
        if (!holder->value.starts_with('{')) {
            picked.holder = JsonStatus::NotObject;
            if (!pick.firstMemberOf)
                picked.object = JsonStatus::NotObject;
            continue;
        }
        picked.holder = JsonStatus::Ok;
        std::optional<std::vector<JsonMemberText>> members;
        if (pick.firstMemberOf) {
            // The first member's value is all that is read of the holder (in the results, the
            // recording vehicle's object before the avatar's).
            const auto first = FirstValueOnward(holder->value);
            picked.holderHasMembers = first.has_value();
            if (!first)
                continue;
            if (!first->starts_with('{')) {
                picked.object = JsonStatus::NotObject;
                continue;
            }
            members = MembersOf(*first);
        } else {
            members = MembersOf(holder->value);
            picked.holderHasMembers = members && !members->empty();
        }
        if (!members)
            return std::nullopt;
        picked.object = JsonStatus::Ok;
        for (std::size_t k = 0; k < pick.keys.size(); ++k) {
            const JsonMemberText* member = FirstMemberNamed(*members, pick.keys[k]);
            if (!member)
                continue;
            picked.values[k] = PlainValueText(member->value);
            if (!picked.values[k])
                return std::nullopt;
        }
    }
    return result;
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
    return CompactText((object.MemberBegin() + i)->value, NonAscii::Escape);
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
    return CompactText(*value, NonAscii::Escape);
}

ParsedObject ParseObject(std::string_view text) {
    const byte_scan::TextSurvey survey = byte_scan::Survey(text, kRecursionOpeners);
    // A NUL byte is never JSON; the parser would take it for the end of the text.
    if (survey.nul)
        return ParsedObject{};
    auto impl = std::make_shared<JsonObject::Impl>();
    impl->text = survey.ascii ? std::string(text) : Windows1251ToUtf8(text);
    ParseInPlace(*impl, survey);
    if (impl->document.GetParseError() == rapidjson::kParseErrorNumberTooBig) {
        // The parse in place has changed the text; it is made again.
        impl->text = QuoteNumbers(survey.ascii ? std::string(text) : Windows1251ToUtf8(text));
        ParseInPlace(*impl, survey);
    }
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

PickedObject PickMembers(const std::string& text, std::span<const MemberPick> picks) {
    // Only the picked members are read, cut out of the text when it is known to be JSON.
    std::vector<std::string_view> names;
    for (const MemberPick& pick : picks)
        names.push_back(pick.member);
    if (const auto members = ValidRootMembers(text, names)) {
        if (auto picked = PickFromMembers(*members, picks))
            return std::move(*picked);
        return PickFromWholeText(ObjectTextOf(*members, names), picks);
    }
    return PickFromWholeText(text, picks);
}

ParsedObject ParseObjectMembers(const std::string& text, std::span<const std::string_view> keys,
                                std::span<const std::string_view> presentOnly) {
    if (const auto members = ValidRootMembers(text, keys, presentOnly))
        return ParseObject(ObjectTextOf(*members, keys, presentOnly));
    return ParseObject(text);
}

std::string StripQuotes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t quote = text.find('"'); quote != std::string_view::npos;
         quote = text.find('"', from)) {
        out.append(text.substr(from, quote - from));
        from = quote + 1;
    }
    out.append(text.substr(from));
    return out;
}

}  // namespace kordex
