#include "support/HostCommand.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>

#include <chrono>
#include <fstream>
#include <thread>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
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

ToolRun runTool(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                const std::filesystem::path& folder) {
    TempFolder temp;
    const auto outputFile = temp / "output.txt";
#ifdef _WIN32
    std::wstring line = windowsQuoted(program.wstring());
    for (const auto& argument : arguments)
        line += L" " + windowsQuoted(wide(argument));
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE output = CreateFileW(outputFile.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE)
        return {-1, ""};
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = startup.hStdError = output;
    PROCESS_INFORMATION process{};
    const bool started =
        CreateProcessW(program.wstring().c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       folder.wstring().c_str(), &startup, &process);
    CloseHandle(output);
    if (!started)
        return {-1, ""};
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    const int status = GetExitCodeProcess(process.hProcess, &exitCode) ? int(exitCode) : -1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
#else
    std::vector<std::string> words{program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int output = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (output < 0 || chdir(folder.c_str()) != 0 || dup2(output, 1) < 0 || dup2(output, 2) < 0)
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int waitStatus = 0;
    if (child < 0 || waitpid(child, &waitStatus, 0) != child)
        return {-1, ""};
    const int status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
#endif
    std::string text = readWholeFile(outputFile);
    // Windows programs end their lines with CRLF; the tests compare lines.
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return {status, text};
}
