#pragma once
// The machine a test runs on, for the length of the object's life: drives of the test's own and
// registry records that do not outlive it. On POSIX the drives are the backend's drive table and
// the hives live in the test's folder. On Windows (under Wine, one prefix per suite) the drives
// are defined through the system's mount manager; the system drive C: stays the system's own,
// and the folders and registry keys a test adds to it are removed again afterwards.
#include "support/TempFolder.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
inline constexpr bool kTestsRunOnWindows = true;
#else
inline constexpr bool kTestsRunOnWindows = false;
#endif

struct TestDrive {
    char letter;
    std::string type;               // fixed, removable, remote, cdrom or ramdisk
    std::filesystem::path folder{}; // empty: a drive without a medium
    std::string label{};
    bool compressed = false;
};

// What the list of installed programs starts for a product: its own uninstaller (the command
// given) on Windows; on Linux this program, which uninstalls by the installation's journal.
std::string listedUninstallCommand(const std::string& windowsCommand, const std::string& product);

class TestMachine {
public:
    // Presents exactly these drives; scratch holds what the machine needs besides.
    TestMachine(const TempFolder& scratch, const std::vector<TestDrive>& drives);
    ~TestMachine();
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    // The native folder that is a drive's root: a folder named after the letter under the given
    // folder, except on Windows the system drive C:, which is the system's.
    static std::filesystem::path driveFolder(const std::filesystem::path& under, char letter);
    // Whether a drive can be shown with a compressed file system (Wine has none).
    static bool presentsCompressedDrives();
    // Whether a drive without a medium has no volume, as on Windows itself; Wine reports an
    // empty volume with no label for it.
    static bool presentsDrivesWithoutMedium();

    struct State;

private:
    std::unique_ptr<State> state;
};

// On Windows, removes at its end what a test added to the system drive's root, its programs
// folder and the Windows folder; on POSIX the test's drives are all its own and this does nothing.
class SystemFolderGuard {
public:
    SystemFolderGuard();
    ~SystemFolderGuard();
    SystemFolderGuard(const SystemFolderGuard&) = delete;
    SystemFolderGuard& operator=(const SystemFolderGuard&) = delete;

    struct State;

private:
    std::unique_ptr<State> state;
};

// The registry of a test: on POSIX hives in the given folder; on Windows the system's, where the
// keys the test adds under the current user's and the machine's software keys and the uninstall
// list, and the programs folder it records, are put back as they were.
class TestRegistry {
public:
    explicit TestRegistry(const std::filesystem::path& hiveFolder);
    ~TestRegistry();
    TestRegistry(const TestRegistry&) = delete;
    TestRegistry& operator=(const TestRegistry&) = delete;

    struct State;

private:
    std::unique_ptr<State> state;
};
