#include "support/failing_file_system.h"

#include <cerrno>
#include <cstring>

namespace kordex::test {

namespace {
FileResult Refused() {
    return FileResult::Failure(FileFault::Write, std::strerror(EACCES));
}
}  // namespace

FileResult FailingFileSystem::CreateFolder(const std::string& path) {
    if (fault_ == Fault::RefuseOpen && !FolderExists(path))
        return Refused();
    return StdFileSystem::CreateFolder(path);
}

FileResult FailingFileSystem::MoveFileNoReplace(const std::string& from, const std::string& to) {
    if (fault_ == Fault::RefuseOpen)
        return Refused();
    return StdFileSystem::MoveFileNoReplace(from, to);
}

FileResult FailingFileSystem::MoveToTrash(const std::string& path) {
    if (fault_ == Fault::RefuseOpen)
        return Refused();
    return StdFileSystem::MoveToTrash(path);
}

FileBytes FailingFileSystem::ReadFile(const std::filesystem::path& path, std::size_t limit) {
    return ReadWholeFile(path, limit, this);
}

FileResult FailingFileSystem::ReplaceFile(const std::filesystem::path& path,
                                          std::string_view bytes) {
    return kordex::ReplaceFile(path, bytes, this);
}

int FailingFileSystem::BeforeOpen(const std::filesystem::path&) {
    return fault_ == Fault::RefuseOpen ? EACCES : 0;
}

int FailingFileSystem::BeforeWrite(std::uint64_t offset, std::size_t& count) {
    if (fault_ == Fault::RefuseOpen)
        return 0;
    if (offset >= goodBytes_)
        return fault_ == Fault::FillDisk ? ENOSPC : EIO;
    // The good bytes reach the file, the rest fails with the next write.
    if (offset + count > goodBytes_)
        count = static_cast<std::size_t>(goodBytes_ - offset);
    ++writes;
    return 0;
}

}  // namespace kordex::test
