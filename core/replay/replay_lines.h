#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/file_io.h"
#include "replay/block_table.h"

namespace kordex {

// The replay read line by line, each line only as far as a caller asks for it: the blocks
// sit at the start of a file of megabytes, and the rest of the line after them is not needed.
// A line ends at a line feed; carriage returns are dropped; every other byte (zero and 26
// included) is an ordinary character. Past the end of the file lines are empty.
//
// The file is read straight into the buffer the line's text lives in: of the bytes read, those
// not yet taken into the line wait after it, and the next line starts where they begin.
class ReplayLines {
  public:
    // The buffer starts at two chunks: the first line of the usual replay holds its blocks
    // (about 80 KB).
    explicit ReplayLines(ReadableFile& file);

    // The known part of the current text; ReadMore extends it.
    std::string_view Text() const {
        return std::string_view(bytes_.get() + start_, lineEnd_ - start_);
    }

    // Drops characters from the front of the current text. What was cut or dropped stays in
    // the buffer until room is needed (moving the rest forward each time costs more).
    void DropFront(std::size_t count) { start_ += std::min(count, Text().size()); }

    // Appends the next piece of the current line to Text() (what one read gives, or what an
    // earlier read left after the line before); false when the line is complete.
    bool ReadMore();

    // Replaces the current text with the next line (of which nothing is taken yet).
    void NextLine();

  private:
    static constexpr std::size_t kNone = std::string_view::npos;

    // The first line feed among the bytes read and not yet taken, or kNone.
    std::size_t FindFeed() const;

    // Takes the waiting bytes before `stop` into the line, leaving out carriage returns; the
    // bytes after one move back over it.
    void TakeIntoLine(std::size_t stop);

    void SkipRestOfLine();

    // Reads the next piece of the file after the line, once every byte read before is taken;
    // false at the end of the file.
    bool ReadPiece();

    // How much the next read asks for. Every byte read past the blocks is copied for nothing,
    // and every read is a call into the system: the file's own table of its blocks says where
    // they end, and the reads stop there, one read taking all the blocks once their end is
    // known. While the table is still coming, a read stops where the next length it needs
    // ends. When the table says nothing believable, or the text goes on past it, a whole
    // chunk is read and then quarters. The bytes that reach the lines are the same whatever
    // the sizes.
    std::size_t NextPiece() const;

    // Makes room for `wanted` bytes after the line's text: the dropped front of the buffer is
    // given back first, and the buffer doubles only when the text itself needs it.
    void MakeRoom(std::size_t wanted);

    // A new buffer holding the line's text at its start.
    void Reallocate(std::size_t capacity);

    ReadableFile& file_;
    std::unique_ptr<char[]> bytes_;  // not zeroed: only what a read filled is looked at
    std::size_t capacity_ = 0;
    std::size_t start_ = 0;     // where the current text begins
    std::size_t lineEnd_ = 0;   // where it ends
    std::size_t rawBegin_ = 0;  // the bytes read and not yet taken: [rawBegin_, rawEnd_)
    std::size_t rawEnd_ = 0;
    std::uint64_t read_ = 0;  // bytes read from the file so far
    BlockTable table_;
    bool atEnd_ = false;
    bool lineComplete_ = false;
};

}  // namespace kordex
