#include "window/file_places.h"

#include "export/export_file.h"
#include "window/settings_file.h"

namespace kordex {

FilePlaces PrepareFilePlaces(const FolderChoices& folders, FileSystem& files) {
    const FilePlaces portable{ProgramFilePath(folders.programFolder, kSettingsFileName),
                              folders.programFolder, true};
    if (files.FolderWritable(folders.programFolder))
        return portable;

    FilePlaces installed = portable;
    installed.portable = false;
    // The settings: the user's copy, made from the shipped file when there is none yet.
    if (!folders.configFolder.empty() && files.CreateFolder(folders.configFolder)) {
        const std::string userFile = ProgramFilePath(folders.configFolder, kSettingsFileName);
        if (!files.FileExists(userFile) && files.FileExists(portable.settingsFile))
            files.CopyFileNoReplace(portable.settingsFile, userFile);
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
