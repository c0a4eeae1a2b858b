#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kordex::cli {

// Each command prints its dump to out and returns the exit status (2: wrong usage).
int RunRead(const std::vector<std::string>& args, std::ostream& out);
int RunSingle(const std::vector<std::string>& args, std::ostream& out);
int RunSeries(const std::vector<std::string>& args, std::ostream& out);
int RunLibrary(const std::vector<std::string>& args, std::ostream& out);

}  // namespace kordex::cli
