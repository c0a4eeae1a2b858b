#include "tanks_ini_path.h"

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>
#endif

#include <cstdlib>
#include <filesystem>

#include "platform/std_file_system.h"

namespace kordex::cli {

namespace fs = std::filesystem;

namespace {

std::string Utf8Of(const fs::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

#ifdef _WIN32

std::string ProgramFolder() {
    std::wstring buffer(32768, L'\0');
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size())
        return ".";
    buffer.resize(length);
    return Utf8Of(fs::path(buffer).parent_path());
}

std::string KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(id, 0, nullptr, &path) == S_OK)
        folder = Utf8Of(fs::path(path));
    CoTaskMemFree(path);
    return folder;
}

// The folders Qt names for the window: AppConfigLocation and DocumentsLocation.
FolderChoices UserFolders() {
    const std::string local = KnownFolder(FOLDERID_LocalAppData);
    // The library command keeps its row cache where its own option says, so none here.
    return {ProgramFolder(), local.empty() ? std::string() : local + "/Kordex",
            KnownFolder(FOLDERID_Documents), std::string()};
}

#else

std::string ProgramFolder() {
    std::error_code error;
    const auto self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return ".";
    return Utf8Of(self.parent_path());
}

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The XDG folders, as Qt finds them for the window (AppConfigLocation, DocumentsLocation).
FolderChoices UserFolders() {
    const std::string home = Variable("HOME");
    std::string config = Variable("XDG_CONFIG_HOME");
    if (config.empty() && !home.empty())
        config = home + "/.config";
    std::string documents = Variable("XDG_DOCUMENTS_DIR");
    if (documents.empty() && !home.empty())
        documents = home + "/Documents";
    // The library command keeps its row cache where its own option says, so none here.
    return {ProgramFolder(), config.empty() ? std::string() : config + "/Kordex", documents,
            std::string()};
}

#endif

}  // namespace

const FilePlaces& CliFilePlaces() {
    static const FilePlaces places = [] {
        StdFileSystem files;
        return PrepareFilePlaces(UserFolders(), files);
    }();
    return places;
}

std::string TanksIniPath() {
    return CliFilePlaces().settingsFile;
}

}  // namespace kordex::cli
