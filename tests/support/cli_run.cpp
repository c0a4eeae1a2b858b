#include "support/cli_run.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace kordex::test {

namespace {

#ifdef _WIN32

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

// One argument as the C runtime of the started program splits its command line again.
std::wstring Quoted(const std::wstring& arg) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

// This process's environment with the change made, as CreateProcessW takes it.
std::wstring EnvironmentBlock(const EnvironmentChange& change) {
    std::vector<std::wstring> entries;
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
        const std::wstring text(entry);
        bool removed = false;
        for (const std::string& name : change.unset) {
            const std::wstring prefix = Wide(name) + L"=";
            removed = removed || _wcsnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
        }
        for (const std::string& assignment : change.assign) {
            const std::wstring prefix = Wide(assignment.substr(0, assignment.find('=') + 1));
            removed = removed || _wcsnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
        }
        if (!removed)
            entries.push_back(text);
    }
    FreeEnvironmentStringsW(block);
    for (const std::string& assignment : change.assign)
        entries.push_back(Wide(assignment));
    std::wstring out;
    for (const auto& entry : entries)
        out += entry + L'\0';
    return out + L'\0';
}

#else

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

#endif

}  // namespace

#ifdef _WIN32

CliRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                  const EnvironmentChange& environment) {
    CliRun run;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE nul =
        CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);

    std::wstring commandLine = Quoted(Wide(program));
    for (const std::string& arg : args)
        commandLine += L" " + Quoted(Wide(arg));
    std::wstring block = EnvironmentBlock(environment);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = writeEnd;
    startup.hStdError = nul;
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW(Wide(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr, &startup, &process);
    CloseHandle(writeEnd);
    CloseHandle(nul);
    if (started) {
        char buffer[4096];
        DWORD n = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n > 0)
            run.output.append(buffer, n);
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code))
            run.status = static_cast<int>(code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return run;
}

void SetEnvironment(const std::string& name, const std::string& value) {
    _wputenv_s(Wide(name).c_str(), Wide(value).c_str());
}

#else

CliRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                  const EnvironmentChange& environment) {
    std::string command = "env";
    for (const std::string& name : environment.unset)
        command += " -u " + ShellQuoted(name);
    for (const std::string& assignment : environment.assign)
        command += " " + ShellQuoted(assignment);
    command += " " + ShellQuoted(program);
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

void SetEnvironment(const std::string& name, const std::string& value) {
    setenv(name.c_str(), value.c_str(), 1);
}

#endif

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
