#include "cache_folder.h"

#include <cstdlib>
#include <filesystem>

namespace kordex::cli {

namespace {

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

std::string KordexCacheFolder() {
    namespace fs = std::filesystem;
#ifdef _WIN32
    // The wide environment: a user name in Cyrillic must not pass the ANSI code page.
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    if (!local || !*local)
        return {};
    return Utf8(fs::path(local) / "Kordex" / "cache");
#else
    // A relative XDG_CACHE_HOME is ignored: the variable is defined to be an absolute path.
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && fs::path(cache).is_absolute())
        return Utf8(fs::path(cache) / "Kordex");
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return {};
    return Utf8(fs::path(home) / ".cache" / "Kordex");
#endif
}

}  // namespace kordex::cli
