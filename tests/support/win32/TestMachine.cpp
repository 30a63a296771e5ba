#include "support/TestMachine.h"

#include "platform/win32/WineMountManager.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <fstream>
#include <optional>
#include <set>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr DWORD kDefineUnixDrive = WINE_DEFINE_UNIX_DRIVE;
constexpr DWORD kQueryUnixDrive = WINE_QUERY_UNIX_DRIVE;
using UnixDrive = WineUnixDrive;

struct DriveDefinition {
    char letter;
    UINT type;
    std::string mountPoint; // empty: no medium
};

HANDLE openMountManager() {
    return CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
}

bool defineDrive(const DriveDefinition& drive) {
    std::vector<char> request(sizeof(UnixDrive));
    if (!drive.mountPoint.empty())
        request.insert(request.end(), drive.mountPoint.begin(), drive.mountPoint.end() + 1);
    auto* header = reinterpret_cast<UnixDrive*>(request.data());
    header->size = static_cast<ULONG>(request.size());
    header->type = drive.type;
    header->letter = static_cast<WCHAR>(drive.letter);
    header->mountPointOffset = drive.mountPoint.empty() ? 0 : sizeof(UnixDrive);
    const HANDLE manager = openMountManager();
    if (manager == INVALID_HANDLE_VALUE)
        return false;
    const BOOL done =
        DeviceIoControl(manager, kDefineUnixDrive, request.data(),
                        static_cast<DWORD>(request.size()), nullptr, 0, nullptr, nullptr);
    CloseHandle(manager);
    return done;
}

// The definition of an existing drive, to put it back later.
DriveDefinition queryDrive(char letter) {
    DriveDefinition definition{letter, DRIVE_NO_ROOT_DIR, {}};
    alignas(UnixDrive) char buffer[2048] = {};
    auto* data = reinterpret_cast<UnixDrive*>(buffer);
    data->letter = static_cast<WCHAR>(letter);
    const HANDLE manager = openMountManager();
    DWORD size = 0;
    if (manager != INVALID_HANDLE_VALUE &&
        DeviceIoControl(manager, kQueryUnixDrive, data, sizeof(UnixDrive), buffer,
                        sizeof(buffer) - 1, &size, nullptr)) {
        definition.type = data->type;
        if (data->mountPointOffset)
            definition.mountPoint = buffer + data->mountPointOffset;
    }
    if (manager != INVALID_HANDLE_VALUE)
        CloseHandle(manager);
    return definition;
}

// Wine reaches the host's files, its fonts among them, through the drive of the host's root: that
// drive stays, as a CD-ROM drive without the setup script, which the program neither offers nor
// takes for the medium. Every other drive the test did not ask for goes.
DriveDefinition putAsideDefinition(const DriveDefinition& drive) {
    if (drive.mountPoint == "/")
        return {drive.letter, DRIVE_CDROM, "/"};
    return {drive.letter, DRIVE_NO_ROOT_DIR, {}};
}

UINT driveTypeOf(const std::string& type) {
    if (type == "removable")
        return DRIVE_REMOVABLE;
    if (type == "remote")
        return DRIVE_REMOTE;
    if (type == "cdrom")
        return DRIVE_CDROM;
    if (type == "ramdisk")
        return DRIVE_RAMDISK;
    return DRIVE_FIXED;
}

// The Unix folder under a Windows path, which the mount manager takes as the mount point.
std::string unixPathOf(const fs::path& path) {
    using UnixName = char* (*)(const wchar_t*);
    // Through a plain pointer: the system hands out every entry point as one function type.
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return {};
    char* name = unixName(fs::absolute(path).c_str());
    const std::string result = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Wine reads the label of a drive that is a folder from this file in the drive's root.
void writeLabel(const fs::path& root, const std::string& label) {
    std::ofstream(root / ".windows-label") << label << "\n";
}

std::set<fs::path> entriesOf(const fs::path& folder) {
    std::set<fs::path> entries;
    std::error_code ignored;
    for (fs::directory_iterator it(folder, ignored), end; it != end; it.increment(ignored))
        entries.insert(it->path());
    return entries;
}

fs::path windowsFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetWindowsDirectoryW(folder, MAX_PATH);
    return folder;
}

constexpr REGSAM kView = KEY_WOW64_32KEY;
const wchar_t* const kUninstallList = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const wchar_t* const kShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct WatchedKey {
    HKEY hive;
    const wchar_t* path;
};
const WatchedKey kWatchedKeys[] = {
    {HKEY_CURRENT_USER, L"Software"},
    {HKEY_LOCAL_MACHINE, L"Software"},
    {HKEY_LOCAL_MACHINE, kUninstallList},
    {HKEY_CURRENT_USER, kUninstallList},
};

std::set<std::wstring> subkeysOf(const WatchedKey& watched) {
    std::set<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(watched.hive, watched.path, 0, KEY_READ | kView, &key) != ERROR_SUCCESS)
        return names;
    wchar_t name[256];
    for (DWORD i = 0, size = 256;
         RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = 256)
        names.insert(name);
    RegCloseKey(key);
    return names;
}

void deleteSubkey(const WatchedKey& watched, const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(watched.hive, watched.path, 0, KEY_ALL_ACCESS | kView, &key) != ERROR_SUCCESS)
        return;
    RegDeleteTreeW(key, name.c_str());
    RegDeleteKeyExW(key, name.c_str(), kView, 0);
    RegCloseKey(key);
}

std::optional<std::wstring> programsFolderValue() {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, kShellFolders, L"Programs", RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

void restoreProgramsFolder(const std::optional<std::wstring>& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_SET_VALUE | kView,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    if (value)
        RegSetValueExW(key, L"Programs", 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                       static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
    else
        RegDeleteValueW(key, L"Programs");
    RegCloseKey(key);
}

} // namespace

struct TestMachine::State {
    std::vector<char> defined;
    std::vector<DriveDefinition> putAway;
};

TestMachine::TestMachine(const TempFolder&, const std::vector<TestDrive>& drives)
    : state(std::make_unique<State>()) {
    std::set<char> wanted;
    for (const TestDrive& drive : drives)
        wanted.insert(static_cast<char>(std::tolower(drive.letter)));
    // Every drive there is, but the system drive, is put back as it was at the end.
    const DWORD present = GetLogicalDrives();
    for (char letter = 'a'; letter <= 'z'; ++letter)
        if (letter != 'c' && ((present >> (letter - 'a')) & 1u)) {
            state->putAway.push_back(queryDrive(letter));
            if (!wanted.count(letter)) {
                EXPECT_TRUE(defineDrive(putAsideDefinition(state->putAway.back()))) << letter;
            }
        }
    for (const TestDrive& drive : drives) {
        const char letter = static_cast<char>(std::tolower(drive.letter));
        if (letter == 'c') {
            if (!drive.label.empty()) {
                // Defined anew over its own folder, so that the system reads the new label.
                writeLabel("C:\\", drive.label);
                const DriveDefinition system = queryDrive('c');
                state->putAway.push_back(system);
                EXPECT_TRUE(defineDrive(system));
            }
            continue;
        }
        std::string mountPoint;
        if (!drive.folder.empty()) {
            if (!fs::exists(drive.folder))
                fs::create_directories(drive.folder);
            if (!drive.label.empty())
                writeLabel(drive.folder, drive.label);
            mountPoint = drive.folder == "/" ? "/" : unixPathOf(drive.folder);
        }
        EXPECT_TRUE(defineDrive({letter, driveTypeOf(drive.type), mountPoint})) << letter;
        state->defined.push_back(letter);
    }
}

TestMachine::~TestMachine() {
    for (char letter : state->defined)
        defineDrive({letter, DRIVE_NO_ROOT_DIR, {}});
    for (const DriveDefinition& drive : state->putAway)
        defineDrive(drive);
}

struct SystemFolderGuard::State {
    // The system drive's folders that tests add to, with what they held before.
    std::vector<std::pair<fs::path, std::set<fs::path>>> folders;
};

SystemFolderGuard::SystemFolderGuard() : state(std::make_unique<State>()) {
    std::vector<fs::path> folders = {"C:\\", "C:\\Program Files", windowsFolder()};
    if (const auto programs = programsFolderValue())
        folders.push_back(*programs);
    for (const fs::path& folder : folders)
        state->folders.emplace_back(folder, entriesOf(folder));
}

SystemFolderGuard::~SystemFolderGuard() {
    for (const auto& [folder, before] : state->folders)
        for (const fs::path& entry : entriesOf(folder))
            if (!before.count(entry))
                removeTree(entry);
}

fs::path TestMachine::driveFolder(const fs::path& under, char letter) {
    return std::tolower(letter) == 'c' ? fs::path("C:\\") : under / std::string(1, letter);
}

bool TestMachine::presentsCompressedDrives() {
    return false;
}

bool TestMachine::presentsDrivesWithoutMedium() {
    return false;
}

struct TestRegistry::State {
    std::vector<std::set<std::wstring>> subkeys;
    std::optional<std::wstring> programsFolder;
};

std::string listedUninstallCommand(const std::string& windowsCommand, const std::string&) {
    return windowsCommand;
}

TestRegistry::TestRegistry(const fs::path& hiveFolder) : state(std::make_unique<State>()) {
    // The installations' journals in the test's folder, not the machine's.
    setenv("SETUP_JOURNAL_DIR", (hiveFolder.string() + "-journals").c_str(), 1);
    for (const WatchedKey& watched : kWatchedKeys)
        state->subkeys.push_back(subkeysOf(watched));
    state->programsFolder = programsFolderValue();
}

TestRegistry::~TestRegistry() {
    unsetenv("SETUP_JOURNAL_DIR");
    for (std::size_t i = 0; i < std::size(kWatchedKeys); ++i)
        for (const std::wstring& name : subkeysOf(kWatchedKeys[i]))
            if (!state->subkeys[i].count(name))
                deleteSubkey(kWatchedKeys[i], name);
    if (programsFolderValue() != state->programsFolder)
        restoreProgramsFolder(state->programsFolder);
}
