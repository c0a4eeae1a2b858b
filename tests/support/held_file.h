#pragma once

#include <string>

namespace kordex::test {

// Another process holds the file open for writing while the object lives, as the game holds
// the replay it is recording.
class FileHeldForWriting {
  public:
    explicit FileHeldForWriting(const std::string& path);
    ~FileHeldForWriting();
    FileHeldForWriting(const FileHeldForWriting&) = delete;
    FileHeldForWriting& operator=(const FileHeldForWriting&) = delete;

    // Whether the other process has the file open.
    bool Held() const { return held_; }

  private:
    std::string marker_;
    bool held_ = false;
    long long process_ = 0;  // the holder's handle (Windows) or id
};

}  // namespace kordex::test
