#pragma once

#include <string>
#include <string_view>

namespace kordex::test {

// Where the first JSON block of a text lies, found as plainly as it can be: one character at a
// time from the first block start, quotes and escapes respected. The reader's own walk skips
// ahead in chunks and runs; tests and the fuzzer check that the two always agree.
struct PlainSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

inline PlainSpan PlainCutSpan(std::string_view text) {
    std::size_t begin = text.find("{\"");
    if (begin == std::string_view::npos)
        begin = 0;
    long depth = 0;
    bool inString = false;
    bool escaped = false;
    for (std::size_t i = begin; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            --depth;
        }
        if (depth == 0)
            return {begin, i + 1};
    }
    return {begin, text.size()};
}

inline std::string PlainCut(std::string_view text) {
    const PlainSpan span = PlainCutSpan(text);
    return std::string(text.substr(span.begin, span.end - span.begin));
}

}  // namespace kordex::test
