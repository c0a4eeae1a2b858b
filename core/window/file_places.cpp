#include "window/file_places.h"

#include "export/export_file.h"
#include "window/library_cache_file.h"
#include "window/settings_file.h"

namespace kordex {

FilePlaces PortableFilePlaces(const std::string& programFolder, const std::string& cacheFolder) {
    return {ProgramFilePath(programFolder, kSettingsFileName), programFolder, true,
            cacheFolder.empty() ? std::string() : LibraryCachePath(cacheFolder)};
}

FilePlaces PrepareFilePlaces(const FolderChoices& folders, FileSystem& files) {
    const FilePlaces portable = PortableFilePlaces(folders.programFolder, folders.cacheFolder);
    if (files.FolderWritable(folders.programFolder))
        return portable;

    FilePlaces installed = portable;
    installed.portable = false;
    // The settings: the user's copy, made from the shipped file when there is none yet.
    if (!folders.configFolder.empty() && files.CreateFolder(folders.configFolder)) {
        const std::string userFile = ProgramFilePath(folders.configFolder, kSettingsFileName);
        if (!files.FileExists(userFile) && files.FileExists(portable.settingsFile))
            // A copy that fails leaves the shipped file in use, which still reads.
            (void)files.CopyFileNoReplace(portable.settingsFile, userFile);
        if (files.FileExists(userFile))
            installed.settingsFile = userFile;
    }
    // The exports.
    if (!folders.documentsFolder.empty()) {
        const std::string exports = ProgramFilePath(folders.documentsFolder, kDocumentsSubfolder);
        if (files.CreateFolder(exports))
            installed.exportFolder = exports;
    }
    return installed;
}

std::string WrittenFileMessage(const std::string& path) {
    return "Файл записан: " + path;
}

}  // namespace kordex
