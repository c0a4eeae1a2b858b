#include "support/recording_file_system.h"

#include <filesystem>

namespace kordex::test {

bool RecordingFileSystem::FileExists(const std::string& path) {
    return real_.FileExists(path);
}

bool RecordingFileSystem::FolderExists(const std::string& path) {
    return real_.FolderExists(path);
}

FileResult RecordingFileSystem::CreateFolder(const std::string& path) {
    calls.push_back("mkdir " + path);
    return real_.CreateFolder(path);
}

FileResult RecordingFileSystem::MoveFileNoReplace(const std::string& from, const std::string& to) {
    calls.push_back("move " + from + " -> " + to);
    return real_.MoveFileNoReplace(from, to);
}

FileResult RecordingFileSystem::MoveToTrash(const std::string& path) {
    calls.push_back("trash " + path);
    if (refuseTrash.count(path) || !real_.FileExists(path))
        return FileResult::Failure(FileFault::Write, "refused");
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error)
        return FileResult::Failure(FileFault::Write, error.message());
    trashed.push_back(path);
    return {};
}

FileResult RecordingFileSystem::FolderWritable(const std::string& path) {
    if (readOnlyFolders.count(path))
        return FileResult::Failure(FileFault::ReadOnly, "только для чтения");
    return real_.FolderWritable(path);
}

FileResult RecordingFileSystem::CopyFileNoReplace(const std::string& from, const std::string& to) {
    calls.push_back("copy " + from + " -> " + to);
    return real_.CopyFileNoReplace(from, to);
}

}  // namespace kordex::test
