#include "qt_file_system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kordex::app {

namespace {
QString Q(const std::string& path) {
    return QString::fromStdString(path);
}
}  // namespace

bool QtFileSystem::FileExists(const std::string& path) {
    return !path.empty() && QFileInfo(Q(path)).isFile();
}

bool QtFileSystem::FolderExists(const std::string& path) {
    return !path.empty() && QFileInfo(Q(path)).isDir();
}

bool QtFileSystem::CreateFolder(const std::string& path) {
    return QDir().mkpath(Q(path)) && QFileInfo(Q(path)).isDir();
}

bool QtFileSystem::MoveFileNoReplace(const std::string& from, const std::string& to) {
    // QFile::rename never replaces an existing target; it fails instead.
    if (QFileInfo::exists(Q(to)))
        return false;
    return QFile::rename(Q(from), Q(to));
}

bool QtFileSystem::MoveToTrash(const std::string& path) {
    if (path.empty())
        return false;
    return QFile::moveToTrash(Q(path));
}

}  // namespace kordex::app
