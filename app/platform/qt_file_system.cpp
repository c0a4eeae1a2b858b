#include "platform/qt_file_system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <string>
#include <utility>

namespace kordex::app {

namespace {

QString Q(const std::string& path) {
    return QString::fromStdString(path);
}

FileResult Failed(std::string reason) {
    return FileResult::Failure(FileFault::Write, std::move(reason));
}

#if !defined(Q_OS_WIN) && !defined(Q_OS_DARWIN)
// The user's freedesktop trash, $XDG_DATA_HOME/Trash with its "files" and "info" folders, made
// where it is missing. Without it Qt moves the file into a "files" folder beside the current
// folder and calls that success; a data location that is not absolute is no trash either.
bool EnsureUserTrash() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || QDir::isRelativePath(data))
        return false;
    const QString trash = data + QStringLiteral("/Trash");
    const bool existed = QFileInfo(trash).isDir();
    QDir dir;
    if (!dir.mkpath(trash + QStringLiteral("/files")) ||
        !dir.mkpath(trash + QStringLiteral("/info")))
        return false;
    // A trash of our making is the user's alone, as the desktops make theirs.
    if (!existed)
        QFile::setPermissions(
            trash, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}
#else
bool EnsureUserTrash() {
    return true;
}
#endif

}  // namespace

bool QtFileSystem::FileExists(const std::string& path) {
    return !path.empty() && QFileInfo(Q(path)).isFile();
}

bool QtFileSystem::FolderExists(const std::string& path) {
    return !path.empty() && QFileInfo(Q(path)).isDir();
}

FileResult QtFileSystem::CreateFolder(const std::string& path) {
    if (QDir().mkpath(Q(path)) && QFileInfo(Q(path)).isDir())
        return {};
    return Failed("папка не создаётся");
}

FileResult QtFileSystem::MoveFileNoReplace(const std::string& from, const std::string& to) {
    // QFile::rename never replaces an existing target; it fails instead.
    if (QFileInfo::exists(Q(to)))
        return Failed("файл с таким именем уже есть");
    QFile file(Q(from));
    if (!file.rename(Q(to)))
        return Failed(file.errorString().toStdString());
    return {};
}

FileResult QtFileSystem::MoveToTrash(const std::string& path) {
    if (path.empty() || !QFileInfo::exists(Q(path)))
        return Failed("файла нет");
    if (!EnsureUserTrash())
        return Failed("корзины нет");
    QString whereNow;
    if (!QFile::moveToTrash(Q(path), &whereNow))
        return Failed("файл не перемещается в корзину");
    if (QDir::isAbsolutePath(whereNow) && QFileInfo::exists(whereNow))
        return {};
    // Not in a trash the user can find: the file goes back where it was.
    if (QFileInfo::exists(whereNow))
        QFile::rename(whereNow, Q(path));
    return Failed("корзины нет");
}

FileResult QtFileSystem::FolderWritable(const std::string& path) {
    if (!FolderExists(path))
        return Failed("папки нет");
    QTemporaryFile probe(Q(path) + QStringLiteral("/.kordex-probe-XXXXXX"));
    if (!probe.open())
        return Failed(probe.errorString().toStdString());
    return {};
}

FileResult QtFileSystem::CopyFileNoReplace(const std::string& from, const std::string& to) {
    // QFile::copy never replaces an existing target; it fails instead.
    QFile file(Q(from));
    if (!file.copy(Q(to)))
        return Failed(file.errorString().toStdString());
    return {};
}

}  // namespace kordex::app
