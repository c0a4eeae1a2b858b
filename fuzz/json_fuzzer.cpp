// Arbitrary text through the JSON layer: parse, read every member by key and by position, and
// check that a member text parses back to the same sub-object.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "replay/json.h"

namespace {

using kordex::JsonObject;

// Deep or wide inputs are the unit tests' business; here the walk stays within a budget so
// that each input runs in linear time.
constexpr std::size_t kMaxDepth = 24;
constexpr std::size_t kTextBudget = 4'000'000;

struct Walk {
    std::size_t textSpent = 0;
    bool Afford(std::size_t size) {
        textSpent += size;
        return textSpent <= kTextBudget;
    }
};

void CheckSameObject(const JsonObject& a, const JsonObject& b) {
    FUZZ_CHECK(a.MemberCount() == b.MemberCount());
    for (std::size_t i = 0; i < a.MemberCount(); ++i) {
        FUZZ_CHECK(a.Key(i) == b.Key(i));
        FUZZ_CHECK(a.ValueTextAt(i) == b.ValueTextAt(i));
    }
}

void WalkObject(const JsonObject& root, Walk& walk) {
    struct Pending {
        JsonObject object;
        std::size_t depth;
    };
    std::vector<Pending> stack{{root, 0}};
    while (!stack.empty()) {
        const Pending current = stack.back();
        stack.pop_back();
        const JsonObject& object = current.object;
        for (std::size_t i = 0; i < object.MemberCount(); ++i) {
            const std::string key = object.Key(i);
            const std::string valueText = object.ValueTextAt(i);
            const std::string memberText = object.MemberTextAt(i);
            if (!walk.Afford(valueText.size() + memberText.size()))
                return;
            // By key, the first member of that name answers.
            FUZZ_CHECK(object.Has(key));
            const auto byKey = object.ValueText(key);
            FUZZ_CHECK(byKey.has_value());

            const auto child = kordex::ObjectAt(object, i);
            const auto reparsed = kordex::ParseObject(memberText);
            if (!child.Ok()) {
                FUZZ_CHECK(child.status == kordex::JsonStatus::NotObject);
                FUZZ_CHECK(reparsed.status != kordex::JsonStatus::Ok);
                continue;
            }
            FUZZ_CHECK(reparsed.Ok());
            CheckSameObject(child.object, reparsed.object);
            if (current.depth + 1 < kMaxDepth)
                stack.push_back({child.object, current.depth + 1});
        }
    }
}

// Cut down to some of its members, a text answers for them as the whole object does.
void CheckSameMembers(std::string_view text, const kordex::ParsedObject& whole) {
    // The first two and the last two: the members between are skipped unread.
    std::vector<std::string> keys;
    const std::size_t count = whole.Ok() ? whole.object.MemberCount() : 0;
    for (std::size_t i = 0; i < count; ++i)
        if (i < 2 || i + 2 >= count)
            keys.push_back(whole.object.Key(i));
    const std::vector<std::string_view> wanted(keys.begin(), keys.end());
    const auto part = kordex::ParseObjectMembers(std::string(text), wanted);
    FUZZ_CHECK(part.status == whole.status);
    for (const std::string_view key : wanted)
        FUZZ_CHECK(part.object.ValueText(key) == whole.object.ValueText(key));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = kordex::ParseObject(text);
    if (parsed.Ok()) {
        Walk walk;
        WalkObject(parsed.object, walk);
    }
    CheckSameMembers(text, parsed);
    const std::string stripped = kordex::StripQuotes(text);
    FUZZ_CHECK(stripped.find('"') == std::string::npos);
    return 0;
}
