#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_io.h"
#include "platform/std_file_system.h"

namespace kordex::test {

// The real file system with one fault planted into the real operations, so that a disk fault
// is tested the same way for every user, the superuser included, whom file modes do not stop.
class FailingFileSystem : public StdFileSystem, private FileFaults {
  public:
    enum class Fault {
        RefuseOpen,    // no file opens, no folder is made, no file moves
        FailMidWrite,  // an I/O error after the first `goodBytes` bytes
        FillDisk,      // no space left after the first `goodBytes` bytes
    };
    explicit FailingFileSystem(Fault fault, std::size_t goodBytes = 4)
        : fault_(fault), goodBytes_(goodBytes) {}

    FileResult CreateFolder(const std::string& path) override;
    FileResult MoveFileNoReplace(const std::string& from, const std::string& to) override;
    FileResult MoveToTrash(const std::string& path) override;
    FileBytes ReadFile(const std::filesystem::path& path, std::size_t limit) override;
    FileResult ReplaceFile(const std::filesystem::path& path, std::string_view bytes) override;

    // The faults themselves, for a test that calls the file seam directly.
    FileFaults& Faults() { return *this; }
    // How many writes reached the file before the fault.
    int writes = 0;

  private:
    int BeforeOpen(const std::filesystem::path&) override;
    int BeforeWrite(std::uint64_t offset, std::size_t& count) override;

    Fault fault_;
    std::size_t goodBytes_;
};

}  // namespace kordex::test
