#include "text/text_collation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "text/letter_case.h"
#include "text/utf8.h"

namespace kordex {

namespace {

// Weights of one character on the three levels.
struct Weights {
    char32_t primary;
    char32_t secondary;  // 0 for a plain letter, the code point for an accented one
    char32_t tertiary;   // 0 lower case or caseless, 1 capital
};

// Primary ranges, in group order.
constexpr char32_t kSymbols = 0x100;      // control, blank, punctuation: 0x100 + code point
constexpr char32_t kPunctuation = 0x200;  // General Punctuation block (dashes, quotes)
constexpr char32_t kDigits = 0x300;
constexpr char32_t kLatin = 0x400;
constexpr char32_t kGreek = 0x500;
constexpr char32_t kCyrillic = 0x600;  // the alphabet below
constexpr char32_t kOtherCyrillic = 0x700;
constexpr char32_t kOther = 0x10000;

// Base letters of Latin-1 Supplement U+00C0..U+00FF and Latin Extended-A U+0100..U+017F, case
// kept; '*' marks the two signs among them (multiplication, division).
constexpr std::string_view kLatin1Bases =
    "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYTsaaaaaaaceeeeiiiidnooooo*ouuuuyty";
constexpr std::string_view kLatinExtendedABases =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

// Russian alphabet with the Ukrainian and Belarusian letters beside their neighbours, as lower
// case code points; "ё" is handled as "е" with an accent.
constexpr std::array<char32_t, 37> kCyrillicAlphabet = {
    U'а', U'б', U'в', U'г', U'ґ', U'д', U'е', U'є', U'ж', U'з', U'и', U'і', U'ї',
    U'й', U'к', U'л', U'м', U'н', U'о', U'п', U'р', U'с', U'т', U'у', U'ў', U'ф',
    U'х', U'ц', U'ч', U'ш', U'щ', U'ъ', U'ы', U'ь', U'э', U'ю', U'я'};

Weights LetterWeights(char base, char32_t accented) {
    const bool capital = base >= 'A' && base <= 'Z';
    const char lower = capital ? static_cast<char>(base - 'A' + 'a') : base;
    return {kLatin + static_cast<char32_t>(lower - 'a'), accented, capital ? 1U : 0U};
}

Weights CyrillicWeights(char32_t c) {
    // Capitals: U+0400..U+040F pair with U+0450..U+045F, U+0410..U+042F with U+0430..U+044F,
    // and from U+0460 on capitals stand at even code points.
    bool capital = false;
    char32_t lower = c;
    if (c >= 0x400 && c <= 0x40F) {
        capital = true;
        lower = c + 0x50;
    } else if (c >= 0x410 && c <= 0x42F) {
        capital = true;
        lower = c + 0x20;
    } else if (c >= 0x460 && c % 2 == 0) {
        capital = true;
        lower = c + 1;
    }
    char32_t accent = 0;
    if (lower == U'ё') {
        lower = U'е';
        accent = c;
    }
    for (std::size_t i = 0; i < kCyrillicAlphabet.size(); ++i) {
        if (kCyrillicAlphabet[i] == lower)
            return {kCyrillic + static_cast<char32_t>(i), accent, capital ? 1U : 0U};
    }
    return {kOtherCyrillic + (lower - 0x400), 0, capital ? 1U : 0U};
}

Weights CharacterWeights(char32_t c) {
    if (c >= '0' && c <= '9')
        return {kDigits + (c - '0'), 0, 0};
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
        return LetterWeights(static_cast<char>(c), 0);
    if (c >= 0xC0 && c <= 0xFF) {
        const char base = kLatin1Bases[c - 0xC0];
        if (base != '*')
            return LetterWeights(base, c);
    }
    if (c >= 0x100 && c <= 0x17F)
        return LetterWeights(kLatinExtendedABases[c - 0x100], c);
    if (c < 0x100)
        return {kSymbols + c, 0, 0};
    if (c >= 0x2000 && c <= 0x206F)
        return {kPunctuation + (c - 0x2000), 0, 0};
    if (c >= 0x370 && c <= 0x3FF)
        return {kGreek + (c - 0x370), 0, 0};
    if (c >= 0x400 && c <= 0x52F)
        return CyrillicWeights(c);
    return {kOther + c, 0, 0};
}

// Code points of a UTF-8 text; a byte that does not start a well-formed sequence stands for
// itself, so that any text can be ordered.
std::vector<char32_t> Decode(std::string_view text) {
    std::vector<char32_t> result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Sequence sequence = DecodeUtf8Sequence(text, i);
        result.push_back(sequence.codePoint);
        i += sequence.length;
    }
    return result;
}

// Every weight in a key is at least 2, so the level separator 1 ends a shorter text's level
// before any weight of a longer one: a prefix sorts first.
constexpr char32_t kLevelEnd = 1;
constexpr char32_t kOffset = 2;

}  // namespace

std::u32string CollationKey(std::string_view utf8) {
    const auto characters = Decode(utf8);
    std::vector<Weights> weights;
    weights.reserve(characters.size());
    for (char32_t c : characters)
        weights.push_back(CharacterWeights(c));

    std::u32string key;
    key.reserve(weights.size() * 3 + utf8.size() + 3);
    for (const auto& w : weights)
        key.push_back(w.primary + kOffset);
    key.push_back(kLevelEnd);
    for (const auto& w : weights)
        key.push_back(w.secondary + kOffset);
    key.push_back(kLevelEnd);
    for (const auto& w : weights)
        key.push_back(w.tertiary + kOffset);
    key.push_back(kLevelEnd);
    // Different texts never collate equal: the bytes decide last.
    for (char byte : utf8)
        key.push_back(static_cast<unsigned char>(byte) + kOffset);
    return key;
}

int CollateTexts(std::string_view a, std::string_view b) {
    return CollationKey(a).compare(CollationKey(b));
}

namespace {

// The text as the list box compares it: letter case aside, and ё as е, as Russian sorting
// has it (by code point ё would come after я).
std::string SortKey(std::string_view text) {
    std::string key = FoldLetterCase(text);
    for (auto at = key.find("ё"); at != std::string::npos; at = key.find("ё", at))
        key.replace(at, std::string_view("ё").size(), "е");
    return key;
}

}  // namespace

bool ListBoxLess(std::string_view a, std::string_view b) {
    const auto foldedA = SortKey(a);
    const auto foldedB = SortKey(b);
    if (foldedA != foldedB)
        return foldedA < foldedB;
    return a < b;
}

void SortLikeListBox(std::vector<std::string>& items) {
    // Each text's key made once, not once per comparison: a library lists thousands.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(items.size());
    for (std::string& item : items)
        keyed.emplace_back(SortKey(item), std::move(item));
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < keyed.size(); ++i)
        items[i] = std::move(keyed[i].second);
}

}  // namespace kordex
