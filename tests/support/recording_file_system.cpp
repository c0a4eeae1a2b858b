#include "support/recording_file_system.h"

#include <filesystem>

namespace kordex::test {

bool RecordingFileSystem::FileExists(const std::string& path) {
    return real_.FileExists(path);
}

bool RecordingFileSystem::FolderExists(const std::string& path) {
    return real_.FolderExists(path);
}

bool RecordingFileSystem::CreateFolder(const std::string& path) {
    calls.push_back("mkdir " + path);
    return real_.CreateFolder(path);
}

bool RecordingFileSystem::MoveFileNoReplace(const std::string& from, const std::string& to) {
    calls.push_back("move " + from + " -> " + to);
    return real_.MoveFileNoReplace(from, to);
}

bool RecordingFileSystem::MoveToTrash(const std::string& path) {
    calls.push_back("trash " + path);
    if (refuseTrash.count(path) || !real_.FileExists(path))
        return false;
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error)
        return false;
    trashed.push_back(path);
    return true;
}

bool RecordingFileSystem::FolderWritable(const std::string& path) {
    return !readOnlyFolders.count(path) && real_.FolderWritable(path);
}

bool RecordingFileSystem::CopyFileNoReplace(const std::string& from, const std::string& to) {
    calls.push_back("copy " + from + " -> " + to);
    return real_.CopyFileNoReplace(from, to);
}

}  // namespace kordex::test
