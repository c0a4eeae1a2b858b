#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace kordex {

// The time stamp of exported file names: "yyyy.mm.dd hh.nn.ss".
std::string FileTimeStamp(const LocalDateTime& time);

// A file in the program's folder; the folder may or may not end with a separator.
std::string ProgramFilePath(std::string_view programFolder, std::string_view fileName);

// Replaces the file whole (ReplaceFile): a failed export leaves neither a partial file nor a
// damaged older one. A failure throws KordexError naming the file and the reason.
void WriteFileReplacing(const std::string& path, std::string_view bytes);

// The bytes a library writes into a file of its own: `write` fills a fresh path in a private
// scratch folder and returns false (or throws) when it could not. A failure throws KordexError
// naming `path`, the file the bytes are meant for.
std::string BytesWrittenToScratch(const std::string& path,
                                  const std::function<bool(const std::string& scratchPath)>& write);

}  // namespace kordex
