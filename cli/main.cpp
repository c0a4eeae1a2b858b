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
           "  kordex-cli library FOLDER\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
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
