#pragma once

#include <string>
#include <vector>

namespace kordex::test {

// What a program printed on its standard output and its exit status (-1: it did not exit).
struct CliRun {
    std::string output;
    int status = -1;
};

// Changes to the environment a program is started with: names removed, then "NAME=value"
// assignments made.
struct EnvironmentChange {
    std::vector<std::string> unset;
    std::vector<std::string> assign;
};

// Runs a program with arguments, without a shell interpreting them; its error output is
// dropped. Arguments and paths are UTF-8 (on Windows they reach the program as wide text).
CliRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                  const EnvironmentChange& environment = {});

// Sets a variable of this process's environment.
void SetEnvironment(const std::string& name, const std::string& value);

// The lines of one "## NAME" section of a dump, without the section line.
std::vector<std::string> DumpSection(const std::string& output, const std::string& name);

}  // namespace kordex::test
