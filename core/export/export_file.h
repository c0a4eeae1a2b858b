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

// Writes the file through a temporary file beside it, which replaces the target only once it
// is complete: a failed export leaves neither a partial file nor a damaged older one. `write`
// fills the temporary path and returns false (or throws) when it could not. A failure throws
// KordexError naming the file.
void WriteFileReplacing(const std::string& path,
                        const std::function<bool(const std::string& temporaryPath)>& write);
void WriteFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace kordex
