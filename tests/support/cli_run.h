#pragma once

#include <string>
#include <vector>

namespace kordex::test {

// What a program printed on its standard output and its exit status (-1: it did not exit).
struct CliRun {
    std::string output;
    int status = -1;
};

// Runs a program with arguments, without a shell interpreting them.
CliRun RunProgram(const std::string& program, const std::vector<std::string>& args);

// The lines of one "## NAME" section of a dump, without the section line.
std::vector<std::string> DumpSection(const std::string& output, const std::string& name);

}  // namespace kordex::test
