#include "replay/json_root_members.h"

#include <memory>
#include <mutex>

#include "replay/brace_counter.h"
#include "replay/byte_scan.h"

#if KORDEX_SIMDJSON
#include <simdjson.h>
#endif

namespace kordex {

namespace {

// Texts beyond this are parsed whole: a checker keeps buffers of several times its largest
// text, and the largest real blocks are a tenth of it.
constexpr std::size_t kLargestChecked = 1 << 20;

// No escape and no byte above 127: such a text stands for itself, and the parse reads it as
// it stands (it reads other bytes as windows-1251).
bool IsPlain(std::string_view text) {
    for (const char c : text)
        if (c == '\\' || static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::size_t SkipSpace(std::string_view text, std::size_t i) {
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return i;
}

// The positions below all stand in a valid text, so they need no checks of their own.

// The position after a string, from its opening quote.
std::size_t StringEnd(std::string_view text, std::size_t quote) {
    std::size_t i = quote + 1;
    while (true) {
        // A quote or a backslash: valid JSON has no control character in a string.
        i = byte_scan::FindStringEscape(text, i, false);
        if (i >= text.size())
            return text.size();
        if (text[i] == '"')
            return i + 1;
        i += 2;  // the backslash and the character it escapes
    }
}

// The position after a value, from its first character.
std::size_t ValueEnd(std::string_view text, std::size_t start) {
    const char first = text[start];
    if (first == '"')
        return StringEnd(text, start);
    if (first == '{' || first == '[') {
        BraceCounter counter(first, first == '{' ? '}' : ']');
        const std::size_t last = counter.Walk(text, start);
        return last == BraceCounter::kNotYet ? text.size() : last + 1;
    }
    std::size_t i = start;
    while (i < text.size() && text[i] != ',' && text[i] != '}' && text[i] != ']' &&
           !IsSpace(text[i]))
        ++i;
    return i;
}

// Whether a \u escape writes half of a surrogate pair (D800 to DFFF): simdjson and the parser
// of ParseObject do not judge every such escape alike.
bool HasSurrogateEscape(std::string_view text) {
    for (std::size_t i = text.find('\\'); i != std::string_view::npos; i = text.find('\\', i + 2)) {
        if (i + 3 >= text.size() || text[i + 1] != 'u')
            continue;
        const char high = static_cast<char>(text[i + 2] | 0x20);
        const char next = static_cast<char>(text[i + 3] | 0x20);
        if (high == 'd' && ((next >= '8' && next <= '9') || (next >= 'a' && next <= 'f')))
            return true;
    }
    return false;
}

#if KORDEX_SIMDJSON
struct Checker {
    simdjson::dom::parser parser;
    std::string padded;
};

// A parser keeps its buffers from text to text. Each reading thread borrows one from the shelf
// for a text and gives it back, so that a scan of thousands of files makes a few. (A
// thread_local parser would be destroyed at its thread's exit, which MinGW's runtime does on
// freed memory.)
class CheckerShelf {
  public:
    std::unique_ptr<Checker> Take() {
        std::lock_guard lock(mutex_);
        if (free_.empty())
            return std::make_unique<Checker>();
        std::unique_ptr<Checker> checker = std::move(free_.back());
        free_.pop_back();
        return checker;
    }
    void Give(std::unique_ptr<Checker> checker) {
        std::lock_guard lock(mutex_);
        free_.push_back(std::move(checker));
    }

  private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<Checker>> free_;
};

CheckerShelf& Shelf() {
    static CheckerShelf shelf;
    return shelf;
}

static_assert(kJsonCheckRoom >= simdjson::SIMDJSON_PADDING);
#endif

// Whether the text is one JSON object by strict JSON's rules.
bool IsStrictJsonObject(const std::string& text) {
#if KORDEX_SIMDJSON
    std::unique_ptr<Checker> checker = Shelf().Take();
    // simdjson reads a little past the text, whatever the bytes there are.
    const char* checked = text.data();
    if (text.capacity() - text.size() < simdjson::SIMDJSON_PADDING) {
        checker->padded.assign(text);
        checker->padded.append(simdjson::SIMDJSON_PADDING, '\0');
        checked = checker->padded.data();
    }
    simdjson::dom::element root;
    const bool object =
        !checker->parser.parse(checked, text.size(), false).get(root) && root.is_object();
    Shelf().Give(std::move(checker));
    return object;
#else
    (void)text;
    return false;
#endif
}

}  // namespace

std::optional<std::vector<JsonMemberText>> ValidRootMembers(const std::string& text) {
    if (text.size() > kLargestChecked || HasSurrogateEscape(text) || !IsStrictJsonObject(text))
        return std::nullopt;
    return MembersOf(text);
}

std::optional<std::vector<JsonMemberText>> MembersOf(std::string_view object) {
    std::vector<JsonMemberText> members;
    std::size_t i = SkipSpace(object, SkipSpace(object, 0) + 1);  // past "{"
    while (i < object.size() && object[i] == '"') {
        const std::size_t keyEnd = StringEnd(object, i);
        const std::string_view key = object.substr(i + 1, keyEnd - i - 2);
        if (!IsPlain(key))
            return std::nullopt;
        const std::size_t valueStart = SkipSpace(object, SkipSpace(object, keyEnd) + 1);  // ":"
        const std::size_t valueEnd = ValueEnd(object, valueStart);
        members.push_back({key, object.substr(valueStart, valueEnd - valueStart)});
        i = SkipSpace(object, valueEnd);
        if (i < object.size() && object[i] == ',')
            i = SkipSpace(object, i + 1);
    }
    return members;
}

const JsonMemberText* FirstMemberNamed(std::span<const JsonMemberText> members,
                                       std::string_view key) {
    for (const JsonMemberText& member : members)
        if (member.key == key)
            return &member;
    return nullptr;
}

std::optional<std::string> PlainValueText(std::string_view value) {
    if (!IsPlain(value))
        return std::nullopt;
    std::string text;
    text.reserve(value.size());
    bool inString = false;
    for (const char c : value) {
        if (c == '"')
            inString = !inString;
        else if (inString || !IsSpace(c))
            text += c;
    }
    return text;
}

std::string ObjectTextOf(std::span<const JsonMemberText> members,
                         std::span<const std::string_view> keys,
                         std::span<const std::string_view> presentOnly) {
    std::string text = "{";
    auto append = [&](std::string_view key, bool withValue) {
        const JsonMemberText* member = FirstMemberNamed(members, key);
        if (!member)
            return;
        if (text.size() > 1)
            text += ',';
        text += '"';
        text += key;
        text += "\":";
        text += withValue ? member->value : "null";
    };
    for (const std::string_view key : keys)
        append(key, true);
    for (const std::string_view key : presentOnly)
        append(key, false);
    text += '}';
    return text;
}

}  // namespace kordex
