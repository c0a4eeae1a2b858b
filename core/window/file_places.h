#pragma once

#include <string>

#include "platform/file_system.h"

namespace kordex {

// The folders a front end can offer for the program's files, as its platform names them.
struct FolderChoices {
    std::string programFolder;    // the executable's folder, which holds the shipped tanks.ini
    std::string configFolder;     // the user's configuration folder for Kordex
    std::string documentsFolder;  // the user's documents folder
    std::string cacheFolder;      // the user's cache folder for Kordex; empty: none
};

// Where this run reads and writes its files.
struct FilePlaces {
    std::string settingsFile;  // tanks.ini: the options and the vehicle names
    std::string exportFolder;  // the exported pages and workbook, and the battle log
    bool portable = true;      // both in the program's folder
    std::string libraryCache;  // the library's row cache file; empty: no cache

    bool operator==(const FilePlaces&) const = default;
};

// The folder under the documents folder that takes the exports of an installed program.
inline constexpr std::string_view kDocumentsSubfolder = "Kordex";

// Everything stays next to the executable while its folder is writable (a copy unpacked
// anywhere, as it always ran). An installed program cannot write there, so the settings go to
// the user's configuration folder and the exports to "Kordex" in the documents folder; were
// they kept beside the executable, every run's settings would be lost at close and every
// export would fail. On first start the configuration folder gets a copy of the shipped
// tanks.ini, which brings the vehicle names; the copy is never replaced afterwards, so the
// user's settings stay. Folders that are missing are made. When the user's folders cannot be
// made either, the program's folder stands, as it did before.
FilePlaces PrepareFilePlaces(const FolderChoices& folders, FileSystem& files);

// Everything in the program's folder, as for a copy unpacked anywhere; the row cache in the
// cache folder, or none when it is empty.
FilePlaces PortableFilePlaces(const std::string& programFolder, const std::string& cacheFolder);

// What the status bar says after a file was written: where it went.
std::string WrittenFileMessage(const std::string& path);

}  // namespace kordex
