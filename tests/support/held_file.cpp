#include "support/held_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/test_paths.h"

namespace kordex::test {

namespace fs = std::filesystem;

FileHeldForWriting::FileHeldForWriting(const std::string& path) : marker_(path + ".held") {
#ifdef _WIN32
    const std::wstring holder = PathOf(KORDEX_HOLDER).wstring();
    std::wstring commandLine = L"\"" + holder + L"\" \"" + PathOf(path).wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(holder.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return;
    CloseHandle(process.hThread);
    process_ = reinterpret_cast<long long>(process.hProcess);
#else
    char* const argv[] = {const_cast<char*>(KORDEX_HOLDER), const_cast<char*>(path.c_str()),
                          nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, KORDEX_HOLDER, nullptr, nullptr, argv, environ) != 0)
        return;
    process_ = pid;
#endif
    // The holder makes the marker once the file is open.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::error_code error;
    while (!fs::exists(PathOf(marker_), error) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    held_ = fs::exists(PathOf(marker_), error);
}

FileHeldForWriting::~FileHeldForWriting() {
    std::error_code error;
    fs::remove(PathOf(marker_), error);
    if (process_ == 0)
        return;
#ifdef _WIN32
    const auto process = reinterpret_cast<HANDLE>(process_);
    WaitForSingleObject(process, 30000);
    CloseHandle(process);
#else
    int status = 0;
    waitpid(static_cast<pid_t>(process_), &status, 0);
#endif
}

}  // namespace kordex::test
