#ifdef _WIN32
#include <windows.h>
// shellapi.h needs windows.h first.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

#include <iostream>
#include <string>
#include <vector>

#include "cli_commands.h"

namespace {

void PrintUsage() {
    std::cerr
        << "usage:\n"
           "  kordex-cli read [--variant single|list] FILE\n"
           "  kordex-cli single [--sort COLUMN] FILE\n"
           "  kordex-cli series [--additional] [--group] [--to-begin] [--move-unusable]\n"
           "                    [--decimal-separator C] [--html FILE] [--xlsx FILE] [--log FILE]"
           " FILE...\n"
           "  kordex-cli library [--no-cache] FOLDER\n";
}

// The arguments as UTF-8. On Windows argv is in the ANSI code page, which has no letters for
// most paths under a Russian user's profile; the wide command line has them all.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? static_cast<std::size_t>(size - 1) : 0, '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
#else
    return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

// The dump is UTF-8 with line feeds on every system: Windows's text mode would add a carriage
// return before each, and a console would show the bytes in its own code page.
void WriteUtf8Bytes() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    WriteUtf8Bytes();
    // Only the streams write: no need to keep them in step with C's, which costs a lock and a
    // call per character on a listing of thousands of rows.
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args = Arguments(argc, argv);
    if (args.empty()) {
        PrintUsage();
        return 2;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    int status = 2;
    if (command == "read")
        status = kordex::cli::RunRead(args, std::cout);
    else if (command == "single")
        status = kordex::cli::RunSingle(args, std::cout);
    else if (command == "series")
        status = kordex::cli::RunSeries(args, std::cout);
    else if (command == "library")
        status = kordex::cli::RunLibrary(args, std::cout);
    if (status == 2)
        PrintUsage();
    return status;
}
