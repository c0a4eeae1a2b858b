#include <iostream>

#include "cli_commands.h"

namespace kordex::cli {

int RunSeries(const std::vector<std::string>&, std::ostream&) {
    std::cerr << "kordex-cli series: not available yet\n";
    return 2;
}

}  // namespace kordex::cli
