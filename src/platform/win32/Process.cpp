#include "platform/Process.h"

#include "platform/Environment.h"
#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform {
namespace {

// The command line as the C run-time's spawn functions form it: the arguments joined by one
// blank each, without quotes, the program's name first.
std::wstring commandLine(const std::string& program, const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return win32::widen(program);
    std::string line;
    for (const std::string& argument : arguments)
        line += (line.empty() ? "" : " ") + argument;
    return win32::widen(line);
}

// Starts the program; the process handle when it runs, null otherwise.
HANDLE startProgram(const std::string& program, const std::vector<std::string>& arguments) {
    const std::wstring application = win32::widePath(program);
    std::wstring line = commandLine(program, arguments);
    if (application.empty())
        return nullptr;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // CreateProcessW may write into the command line, so it gets its own copy.
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A folder is shown by the Windows folder's explorer.exe with the folder as its only argument;
// without a Windows folder there is none to ask.
bool openFolder(const std::string& folder) {
    const std::string windows = environmentValue("WINDIR");
    if (windows.empty())
        return false;
    const std::string explorer = windows + "\\explorer.exe";
    return spawnDetached(explorer, {explorer, folder});
}

} // namespace

int spawnAndWait(const std::string& program, const std::vector<std::string>& arguments) {
    const HANDLE process = startProgram(program, arguments);
    if (!process)
        return -1;
    DWORD exitCode = 0;
    const bool finished = WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 &&
                          GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    return finished ? static_cast<int>(exitCode) : -1;
}

bool spawnDetached(const std::string& program, const std::vector<std::string>& arguments) {
    const HANDLE process = startProgram(program, arguments);
    if (!process)
        return false;
    CloseHandle(process);
    return true;
}

bool openWithDefaultProgram(const std::string& path, const std::string& workFolder,
                            std::uintptr_t ownerWindow) {
    const bool relative =
        !path.empty() && path[0] != '/' && path[0] != '\\' && !(path.size() > 1 && path[1] == ':');
    const std::string full = relative && !workFolder.empty() ? workFolder + "\\" + path : path;
    const std::wstring target = win32::widePath(full);
    if (target.empty() || GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    if (isFolder(target))
        return openFolder(full);
    const std::wstring folder = win32::widePath(workFolder);
    const HINSTANCE result =
        ShellExecuteW(reinterpret_cast<HWND>(ownerWindow), L"open", target.c_str(), nullptr,
                      folder.empty() ? nullptr : folder.c_str(), SW_SHOW);
    // Values above 32 mean success.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace platform
