#pragma once
// A machine of the test's own for whole installation runs: a copy of the demo medium in a CD-ROM
// drive, a home folder as drive c: (on Windows the system drive), the registry, the programs
// folder, a Windows folder, and a stand-in for the desktop's opener that records what it was
// asked to open.
#include "support/DesktopOpener.h"
#include "support/TempFolder.h"
#include "support/TestMachine.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class InstallSandbox {
public:
    InstallSandbox();
    ~InstallSandbox();

    std::filesystem::path medium() const { return folder / "cd"; }
    // The setup program on the medium.
    std::filesystem::path setupProgram() const;
    std::filesystem::path home() const { return TestMachine::driveFolder(folder.path(), 'c'); }
    // The programs folder of the desktop's menu, as the program reads it.
    std::filesystem::path programsFolder() const;
    std::filesystem::path programGroup() const {
        return programsFolder() / "Tervalis" / "Moonrise Harbour";
    }
    std::filesystem::path windowsFolder() const;
    std::filesystem::path sharedUninstaller() const { return windowsFolder() / "TL/Ulvarest.exe"; }
    // The POSIX backend's hive files (on Windows the registry is the system's).
    std::filesystem::path registryFolder() const { return folder / "registry"; }
    // Presents these drives in place of the sandbox's own: c for the home folder, d for the medium
    // in its CD-ROM drive, z for the whole file system.
    void presentDrives(const std::string& letters);
    // Removes the registry records the runs made.
    void forgetRecords();
    // What the desktop's opener was asked to open, one native path per line.
    std::string opened() const;
    // What the opener recorded once every one of the names is in it, or after a bound that a
    // loaded machine does not reach: each opening is a process of its own, in no set order.
    std::string openedAll(const std::vector<std::string>& names) const;
    // Extracts the records of one of the medium's archives into a folder of the sandbox.
    std::filesystem::path extractArchive(const std::string& archive) const;

private:
    SystemFolderGuard systemFolders;
    TempFolder folder;
    std::filesystem::path savedFolder;
    std::optional<TestRegistry> registry;
    std::optional<TestMachine> machine;
    std::optional<DesktopOpener> opener;
};
