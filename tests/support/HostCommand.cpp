#include "support/HostCommand.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>

#include <chrono>
#include <fstream>
#include <thread>
#else
#include <sys/wait.h>
#endif

namespace {

std::string shellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool isAbsoluteHere(const std::string& word) {
#ifdef _WIN32
    return word.size() > 2 && word[1] == ':' && (word[2] == '\\' || word[2] == '/');
#else
    return !word.empty() && word[0] == '/';
#endif
}

#ifdef _WIN32

std::wstring wide(const std::string& utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring text(size > 0 ? size - 1 : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text.data(), size);
    return text;
}

// One argument of a Windows command line, as the C runtime's parser reads it back.
std::wstring windowsQuoted(const std::wstring& word) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : word) {
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

// Wine's own export for its file name mapping; absent on real Windows.
using UnixName = char*(__cdecl*)(const wchar_t*);
using DosName = wchar_t*(__cdecl*)(const char*);

template <typename Function> Function wineExport(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

#endif

} // namespace

std::string hostPath(const std::filesystem::path& path) {
#ifdef _WIN32
    const auto toUnix = wineExport<UnixName>("wine_get_unix_file_name");
    if (!toUnix)
        return path.string();
    char* unixName = toUnix(std::filesystem::absolute(path).wstring().c_str());
    if (!unixName)
        return path.string();
    std::string result = unixName;
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
#else
    return path.string();
#endif
}

std::string hostCommandLine(const std::string& program, const std::vector<std::string>& arguments) {
    std::string line = shellQuoted(program);
    for (const auto& argument : arguments)
        line += " " + shellQuoted(isAbsoluteHere(argument) ? hostPath(argument) : argument);
    return line;
}

int runHostCommand(const std::string& commandLine) {
#ifdef _WIN32
    // Wine starts a Unix program without a process to wait for, so the shell leaves its exit
    // status in a file, renamed into place when complete.
    const auto toDos = wineExport<DosName>("wine_get_dos_file_name");
    if (!toDos)
        return -1;
    static int counter = 0;
    const auto status = std::filesystem::temp_directory_path() /
                        ("host-status-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(++counter));
    const std::string statusName = hostPath(status);
    const std::string script = "(" + commandLine + "); echo $? > " + shellQuoted(statusName + ".part") +
                               " && mv " + shellQuoted(statusName + ".part") + " " +
                               shellQuoted(statusName);
    wchar_t* shell = toDos("/bin/sh");
    if (!shell)
        return -1;
    std::wstring line = L"sh -c " + windowsQuoted(wide(script));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(shell, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process);
    HeapFree(GetProcessHeap(), 0, shell);
    if (!started)
        return -1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    while (!std::filesystem::exists(status)) {
        if (std::chrono::steady_clock::now() > deadline)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    int exitCode = -1;
    std::ifstream(status) >> exitCode;
    std::error_code ignored;
    std::filesystem::remove(status, ignored);
    return exitCode;
#else
    const int status = std::system(commandLine.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}
