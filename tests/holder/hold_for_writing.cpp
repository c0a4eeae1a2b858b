// Holds a file open for writing, as the game holds the replay it records, until its marker
// "PATH.held" is removed (or a minute has passed). The marker appears once the file is open.
#ifdef _WIN32
#include <windows.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace fs = std::filesystem;

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    if (argc != 2)
        return 2;
    const fs::path file(argv[1]);
    // The game's way: writing, with others allowed to read and write.
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return 1;
#else
int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::string utf8 = argv[1];
    const fs::path file(std::u8string(utf8.begin(), utf8.end()));
    std::ofstream handle(file, std::ios::binary | std::ios::app);
    if (!handle)
        return 1;
#endif
    fs::path marker = file;
    marker += ".held";
    std::ofstream(marker).put('1');
    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    std::error_code error;
    while (fs::exists(marker, error) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
#ifdef _WIN32
    CloseHandle(handle);
#endif
    return 0;
}
