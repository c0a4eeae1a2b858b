#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kordex::test {

// A UTF-8 path as the standard library's path, and back. A narrow std::string given to the
// standard library directly would pass through the ANSI code page on Windows.
std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

// ../shared/replays beside the repository, or empty when it is absent.
std::string SharedReplaysFolder();
// Every replay under it, as UTF-8 paths in sorted order; none when it is absent.
std::vector<std::string> SharedReplayFiles();

// A fresh empty folder under the system's temporary folder, removed when the object goes.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

}  // namespace kordex::test

// Skips the current test, with a message, when the real replays are not there.
#define KORDEX_REQUIRE_SHARED_REPLAYS()                                                \
    do {                                                                               \
        if (::kordex::test::SharedReplaysFolder().empty())                             \
            GTEST_SKIP() << "../shared/replays is absent; real-replay checks skipped"; \
    } while (0)
