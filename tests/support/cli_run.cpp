#include "support/cli_run.h"

#include <sys/wait.h>

#include <cstdio>
#include <sstream>

namespace kordex::test {

namespace {

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

CliRun RunProgram(const std::string& program, const std::vector<std::string>& args) {
    std::string command = ShellQuoted(program);
    for (const std::string& arg : args)
        command += " " + ShellQuoted(arg);
    command += " 2>/dev/null";
    CliRun run;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<std::string> DumpSection(const std::string& output, const std::string& name) {
    std::vector<std::string> lines;
    std::istringstream in(output);
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line.starts_with("## ")) {
            inside = line == "## " + name;
            continue;
        }
        if (inside)
            lines.push_back(line);
    }
    return lines;
}

}  // namespace kordex::test
