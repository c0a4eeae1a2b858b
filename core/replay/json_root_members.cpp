#include "replay/json_root_members.h"

#include <algorithm>
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

// The same positions read from the end: `end` is the position after the last character.

std::size_t SkipSpaceBack(std::string_view text, std::size_t end) {
    while (end > 0 && IsSpace(text[end - 1]))
        --end;
    return end;
}

// The opening quote of the string whose closing quote is at `quote`: the first quote before
// it that no odd run of backslashes escapes.
std::size_t StringStartBack(std::string_view text, std::size_t quote) {
    for (std::size_t i = quote; i > 0;) {
        i = text.rfind('"', i - 1);
        if (i == std::string_view::npos)
            return i;
        std::size_t backslashes = 0;
        while (backslashes < i && text[i - 1 - backslashes] == '\\')
            ++backslashes;
        if (backslashes % 2 == 0)
            return i;
    }
    return std::string_view::npos;
}

// The position of a value's first character, from the position after its last.
std::size_t ValueStartBack(std::string_view text, std::size_t end) {
    const char last = text[end - 1];
    if (last == '"')
        return StringStartBack(text, end - 1);
    if (last == '}' || last == ']') {
        const char opener = last == '}' ? '{' : '[';
        long depth = 0;
        for (std::size_t i = end; i-- > 0;) {
            const char c = text[i];
            if (c == '"') {
                i = StringStartBack(text, i);
                if (i == std::string_view::npos)
                    return i;
            } else if (c == last) {
                ++depth;
            } else if (c == opener && --depth == 0) {
                return i;
            }
        }
        return std::string_view::npos;
    }
    std::size_t i = end;
    while (i > 0 && text[i - 1] != ':' && !IsSpace(text[i - 1]))
        --i;
    return i;
}

// The members at the end of an object text, the last first, at most `count` of them; nothing
// when the text does not read as an object from its end.
std::optional<std::vector<JsonMemberText>> TrailingMembers(std::string_view object,
                                                           std::size_t count) {
    constexpr std::size_t npos = std::string_view::npos;
    std::vector<JsonMemberText> members;
    std::size_t end = SkipSpaceBack(object, object.size());
    if (end == 0 || object[end - 1] != '}')
        return std::nullopt;
    end = SkipSpaceBack(object, end - 1);
    while (members.size() < count && end > 0 && object[end - 1] != '{') {
        const std::size_t valueStart = ValueStartBack(object, end);
        if (valueStart == npos)
            return std::nullopt;
        std::size_t i = SkipSpaceBack(object, valueStart);
        if (i == 0 || object[i - 1] != ':')
            return std::nullopt;
        i = SkipSpaceBack(object, i - 1);
        if (i == 0 || object[i - 1] != '"')
            return std::nullopt;
        const std::size_t keyStart = StringStartBack(object, i - 1);
        if (keyStart == npos)
            return std::nullopt;
        members.push_back({object.substr(keyStart + 1, i - keyStart - 2),
                           object.substr(valueStart, end - valueStart)});
        end = SkipSpaceBack(object, keyStart);
        if (end > 0 && object[end - 1] == ',')
            end = SkipSpaceBack(object, end - 1);
        else if (end == 0 || object[end - 1] != '{')
            return std::nullopt;
    }
    return members;
}

// The members from the start of an object text, at most `count` of them, keys as they stand.
std::vector<JsonMemberText> LeadingMembers(std::string_view object, std::size_t count) {
    std::vector<JsonMemberText> members;
    std::size_t i = SkipSpace(object, SkipSpace(object, 0) + 1);  // past "{"
    while (members.size() < count && i < object.size() && object[i] == '"') {
        const std::size_t keyEnd = StringEnd(object, i);
        const std::string_view key = object.substr(i + 1, keyEnd - i - 2);
        const std::size_t valueStart = SkipSpace(object, SkipSpace(object, keyEnd) + 1);  // ":"
        const std::size_t valueEnd = ValueEnd(object, valueStart);
        members.push_back({key, object.substr(valueStart, valueEnd - valueStart)});
        i = SkipSpace(object, valueEnd);
        if (i < object.size() && object[i] == ',')
            i = SkipSpace(object, i + 1);
    }
    return members;
}

// How many members to walk from the start and how many from the end so that every member
// asked for is walked, and as few others as may be: those between are never looked at (in a
// results text, every vehicle and player of the battle). `asked` holds positions, rising.
struct WalkSplit {
    std::size_t leading = 0;
    std::size_t trailing = 0;
};

WalkSplit SplitWalk(const std::vector<std::size_t>& asked, std::size_t count) {
    WalkSplit best{asked.empty() ? 0 : asked.back() + 1, 0};
    for (std::size_t j = 0; j < asked.size(); ++j) {
        const WalkSplit split{j == 0 ? 0 : asked[j - 1] + 1, count - asked[j]};
        if (split.leading + split.trailing <= best.leading + best.trailing)
            best = split;
    }
    return best;
}

// Where the first member of a name asked for stands among the root's members; read: its
// value is wanted, not only whether it is there.
struct Place {
    std::size_t index;
    std::string_view name;
    bool read;
};

// The places of the names asked for that the keys hold, in text order.
std::vector<Place> PlacesOf(const std::vector<std::string>& keys,
                            std::span<const std::string_view> wanted,
                            std::span<const std::string_view> presentOnly) {
    std::vector<Place> places;
    auto add = [&](std::string_view name, bool read) {
        const auto at = std::find(keys.begin(), keys.end(), name);
        if (at == keys.end())
            return;
        const auto index = static_cast<std::size_t>(at - keys.begin());
        for (Place& known : places)
            if (known.index == index) {
                known.read = known.read || read;
                return;
            }
        places.push_back({index, name, read});
    };
    for (const std::string_view name : wanted)
        add(name, true);
    for (const std::string_view name : presentOnly)
        add(name, false);
    std::sort(places.begin(), places.end(),
              [](const Place& a, const Place& b) { return a.index < b.index; });
    return places;
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

// The root keys of a text that is one JSON object by strict JSON's rules, escapes read, in
// text order; nothing for any other text.
std::optional<std::vector<std::string>> StrictObjectKeys(const std::string& text) {
#if KORDEX_SIMDJSON
    std::unique_ptr<Checker> checker = Shelf().Take();
    // simdjson reads a little past the text, whatever the bytes there are.
    const char* checked = text.data();
    if (text.capacity() - text.size() < simdjson::SIMDJSON_PADDING) {
        checker->padded.assign(text);
        checker->padded.append(simdjson::SIMDJSON_PADDING, '\0');
        checked = checker->padded.data();
    }
    std::optional<std::vector<std::string>> keys;
    simdjson::dom::object root;
    if (!checker->parser.parse(checked, text.size(), false).get(root)) {
        keys.emplace();
        for (const simdjson::dom::key_value_pair member : root)
            keys->emplace_back(member.key);
    }
    Shelf().Give(std::move(checker));
    return keys;
#else
    (void)text;
    return std::nullopt;
#endif
}

}  // namespace

std::optional<std::vector<JsonMemberText>> ValidRootMembers(
    const std::string& text, std::span<const std::string_view> wanted,
    std::span<const std::string_view> presentOnly) {
    if (text.size() > kLargestChecked || HasSurrogateEscape(text))
        return std::nullopt;
    // A name is compared with the keys as the check reads them, in UTF-8: only a plain name
    // compares the same there as in the parse.
    for (const auto names : {wanted, presentOnly})
        if (!std::all_of(names.begin(), names.end(), IsPlain))
            return std::nullopt;
    const auto keys = StrictObjectKeys(text);
    if (!keys)
        return std::nullopt;

    const std::vector<Place> places = PlacesOf(*keys, wanted, presentOnly);
    std::vector<std::size_t> readPositions;
    for (const Place& known : places)
        if (known.read)
            readPositions.push_back(known.index);
    const WalkSplit split = SplitWalk(readPositions, keys->size());
    const std::vector<JsonMemberText> leading = LeadingMembers(text, split.leading);
    const auto trailing = TrailingMembers(text, split.trailing);
    if (leading.size() != split.leading || !trailing || trailing->size() != split.trailing)
        return std::nullopt;

    std::vector<JsonMemberText> members;
    for (const Place& known : places) {
        if (!known.read) {
            members.push_back({known.name, {}});
            continue;
        }
        const JsonMemberText& member = known.index < split.leading
                                           ? leading[known.index]
                                           : (*trailing)[keys->size() - 1 - known.index];
        // A key written with an escape reads right only in the parse.
        if (member.key != known.name)
            return std::nullopt;
        members.push_back(member);
    }
    return members;
}

std::optional<std::vector<JsonMemberText>> MembersOf(std::string_view object) {
    std::vector<JsonMemberText> members = LeadingMembers(object, std::string_view::npos);
    for (const JsonMemberText& member : members)
        if (!IsPlain(member.key))
            return std::nullopt;
    return members;
}

std::optional<std::string_view> FirstValueOnward(std::string_view object) {
    const std::size_t key = SkipSpace(object, SkipSpace(object, 0) + 1);  // past "{"
    if (key >= object.size() || object[key] != '"')
        return std::nullopt;
    const std::size_t colon = SkipSpace(object, StringEnd(object, key));
    return object.substr(SkipSpace(object, colon + 1));
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
