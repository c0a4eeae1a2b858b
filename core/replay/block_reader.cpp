#include "replay/block_reader.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "platform/kordex_error.h"

namespace kordex {

namespace {

constexpr std::string_view kBlockStart = "{\"";
constexpr std::size_t kChunkSize = 64 * 1024;

// Walks a JSON text brace by brace. Braces inside JSON strings are text, not structure: a
// player or clan name holding a brace must not end a block early. The walk jumps over the
// runs of characters that cannot change the depth (most of a block is string text), since
// a library scan walks every block of thousands of files.
class BraceCounter {
  public:
    static constexpr std::size_t kNotYet = std::string_view::npos;

    // Walks the text from `from`: the position of the character after which the depth is back
    // at 0, or kNotYet when the text ends first; the walk then goes on where it stopped when
    // called again with the same text grown longer. The first character of a walk always
    // counts, so a walk from a character other than "{" ends right after it.
    std::size_t Walk(std::string_view text, std::size_t from) {
        const char* const data = text.data();
        const std::size_t size = text.size();
        std::size_t i = from;
        while (i < size) {
            if (inString_) {
                i = SkipStringText(text, i);
                continue;
            }
            const char c = data[i];
            if (c == '"')
                inString_ = true;
            else if (c == '{')
                ++depth_;
            else if (c == '}')
                --depth_;
            if (depth_ == 0)
                return i;
            // A string entered here began at a depth other than 0, so it cannot end the block.
            ++i;
            if (!inString_)
                while (i < size && !IsStructural(data[i]))
                    ++i;
        }
        return kNotYet;
    }

  private:
    static bool IsStructural(char c) { return c == '{' || c == '}' || c == '"'; }

    // Inside a string: past its closing quote, or to the end of the text.
    std::size_t SkipStringText(std::string_view text, std::size_t i) {
        const char* const data = text.data();
        const std::size_t size = text.size();
        if (escaped_) {
            escaped_ = false;
            return i + 1;
        }
        // The next quote is remembered, so that many backslashes before it do not make the
        // search quadratic.
        if (quote_ == kNotYet || quote_ < i) {
            const void* found = std::memchr(data + i, '"', size - i);
            quote_ =
                found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : kNotYet;
        }
        const std::size_t stop = quote_ == kNotYet ? size : quote_;
        if (const void* backslash = std::memchr(data + i, '\\', stop - i)) {
            escaped_ = true;
            return static_cast<std::size_t>(static_cast<const char*>(backslash) - data) + 1;
        }
        if (quote_ == kNotYet)
            return size;
        inString_ = false;
        return quote_ + 1;
    }

    long depth_ = 0;
    bool inString_ = false;
    bool escaped_ = false;
    std::size_t quote_ = kNotYet;  // the next quote seen ahead in a string
};

// Where a block lies in a text: [begin, end).
struct BlockSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The replay read line by line, each line only as far as a caller asks for it: the blocks
// sit at the start of a file of megabytes, and the rest of the line after them is not needed.
// A line ends at a line feed; carriage returns are dropped; every other byte (zero and 26
// included) is an ordinary character. Past the end of the file lines are empty.
class LazyLines {
  public:
    explicit LazyLines(std::FILE* file) : file_(file) {}

    // The known part of the current text; ReadMore extends it.
    std::string& Text() { return text_; }

    // Appends the next piece of the current line to Text(); false when the line is complete.
    bool ReadMore() {
        if (lineComplete_)
            return false;
        std::size_t appended = 0;
        while (!lineComplete_ && appended < kChunkSize) {
            if (!FillBuffer()) {
                lineComplete_ = true;
                break;
            }
            const char* begin = buffer_.data() + position_;
            const char* end = buffer_.data() + filled_;
            const char* feed = static_cast<const char*>(
                std::memchr(begin, '\n', static_cast<std::size_t>(end - begin)));
            const char* stop = feed ? feed : end;
            AppendWithoutCarriageReturns(begin, stop);
            appended += static_cast<std::size_t>(stop - begin);
            position_ = static_cast<std::size_t>(stop - buffer_.data());
            if (feed) {
                ++position_;
                lineComplete_ = true;
            }
        }
        return true;
    }

    // Replaces the current text with the next line (of which nothing is read yet).
    void NextLine() {
        while (!lineComplete_)
            SkipRestOfLine();
        text_.clear();
        lineComplete_ = false;
    }

    // Whether what is left of the current line holds the word, reading on as far as needed.
    bool Contains(std::string_view word) {
        std::size_t from = 0;
        while (true) {
            if (text_.find(word, from) != std::string::npos)
                return true;
            if (text_.size() >= word.size())
                from = text_.size() - word.size() + 1;
            if (!ReadMore())
                return false;
        }
    }

    // The first block start of what is left of the line, reading on as far as needed.
    std::size_t FindBlockStart() {
        std::size_t from = 0;
        while (true) {
            std::size_t at = text_.find(kBlockStart, from);
            if (at != std::string::npos)
                return at;
            if (!text_.empty())
                from = text_.size() - 1;
            if (!ReadMore())
                return std::string::npos;
        }
    }

    // The block cut from what is left of the line; the text then goes on right after it.
    std::string CutBlock() {
        std::size_t begin = FindBlockStart();
        if (begin == std::string::npos)
            begin = 0;
        BraceCounter counter;
        std::size_t from = begin;
        while (true) {
            const std::size_t last = counter.Walk(text_, from);
            if (last != BraceCounter::kNotYet) {
                std::string block = text_.substr(begin, last + 1 - begin);
                text_.erase(0, last + 1);
                return block;
            }
            from = text_.size();
            if (!ReadMore())
                break;
        }
        // The line ended inside the block: the incomplete text, which no parser accepts.
        std::string block = text_.substr(begin);
        text_.clear();
        return block;
    }

  private:
    void AppendWithoutCarriageReturns(const char* begin, const char* end) {
        while (begin != end) {
            const char* cr = static_cast<const char*>(
                std::memchr(begin, '\r', static_cast<std::size_t>(end - begin)));
            const char* stop = cr ? cr : end;
            text_.append(begin, stop);
            begin = cr ? cr + 1 : end;
        }
    }

    // Makes sure the buffer holds unread bytes; false at the end of the file.
    bool FillBuffer() {
        if (position_ < filled_)
            return true;
        if (atEnd_)
            return false;
        filled_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        position_ = 0;
        if (filled_ < buffer_.size()) {
            if (std::ferror(file_))
                throw KordexError(std::string("Ошибка чтения файла: ") + std::strerror(errno));
            atEnd_ = true;
        }
        return filled_ > 0;
    }

    void SkipRestOfLine() {
        if (!FillBuffer()) {
            lineComplete_ = true;
            return;
        }
        const char* begin = buffer_.data() + position_;
        const void* feed = std::memchr(begin, '\n', filled_ - position_);
        if (feed) {
            position_ =
                static_cast<std::size_t>(static_cast<const char*>(feed) - buffer_.data()) + 1;
            lineComplete_ = true;
        } else {
            position_ = filled_;
        }
    }

    std::FILE* file_;
    std::array<char, kChunkSize> buffer_{};
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool atEnd_ = false;
    std::string text_;
    bool lineComplete_ = false;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::unique_ptr<std::FILE, FileCloser> OpenForReading(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return nullptr;
    return std::unique_ptr<std::FILE, FileCloser>(std::fopen(path.c_str(), "rb"));
}

// Where the first block of the text lies: from its first block start (or from its start when
// it has none) to the brace that brings the depth back to 0.
BlockSpan FindBlock(std::string_view text) {
    BlockSpan span;
    span.begin = text.find(kBlockStart);
    if (span.begin == std::string_view::npos)
        span.begin = 0;
    BraceCounter counter;
    const std::size_t last = counter.Walk(text, span.begin);
    if (last != BraceCounter::kNotYet) {
        span.end = last + 1;
        return span;
    }
    // Cut off by the end of the text: the incomplete rest, which no parser accepts.
    span.end = text.size();
    return span;
}

}  // namespace

std::string CutJsonBlock(std::string_view text) {
    const BlockSpan span = FindBlock(text);
    return std::string(text.substr(span.begin, span.end - span.begin));
}

std::optional<ReplayBlocks> ReadReplayBlocks(const std::string& path, ReadingVariant variant) {
    auto file = OpenForReading(path);
    if (!file)
        return std::nullopt;
    // One chunk buffer per read; kept off the stack of the caller.
    auto lines = std::make_unique<LazyLines>(file.get());

    // The header key word is searched in the first line and then in up to one (single) or
    // two (list) further lines, each replacing the one before.
    const int extraHeaderLines = variant == ReadingVariant::Single ? 1 : 2;
    for (int tried = 0; tried < extraHeaderLines && !lines->Contains("clientVersionFromExe");
         ++tried)
        lines->NextLine();

    ReplayBlocks blocks;
    if (variant == ReadingVariant::Single) {
        const std::size_t start = lines->FindBlockStart();
        if (start != std::string::npos)
            lines->Text().erase(0, start);
    }
    blocks.HeaderBlock = lines->CutBlock();

    // Each later block is searched in what is left of the line, or in one further line.
    auto cutByKeyWord = [&](std::string_view keyWord) {
        if (!lines->Contains(keyWord))
            lines->NextLine();
        return lines->CutBlock();
    };
    blocks.ResultsBlock = cutByKeyWord("arenaUniqueID");
    blocks.VehiclesBlock = cutByKeyWord("clanAbbrev");
    blocks.FragsBlock = cutByKeyWord("frags");
    return blocks;
}

bool IsBattleComplete(const ReplayBlocks& blocks) {
    return blocks.ResultsBlock.find("spotted") != std::string::npos &&
           blocks.VehiclesBlock.find("vehicleType") != std::string::npos &&
           blocks.FragsBlock.find("frags") != std::string::npos;
}

}  // namespace kordex
