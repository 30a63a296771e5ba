#pragma once
// A machine of the test's own for whole installation runs: a copy of the demo medium in a CD-ROM
// drive, a home folder as drive c:, registry hives, an applications folder and a Windows folder,
// and a stand-in for the desktop's opener that records what it was asked to open.
#include "support/TempFolder.h"

#include <filesystem>
#include <string>

class InstallSandbox {
public:
    InstallSandbox();
    ~InstallSandbox();

    std::filesystem::path medium() const { return folder / "cd"; }
    std::filesystem::path home() const { return folder / "home"; }
    std::filesystem::path programGroup() const {
        return folder / "apps/applications/Tervalis/Moonrise Harbour";
    }
    std::filesystem::path sharedUninstaller() const { return home() / "Windows/TL/Ulvarest.exe"; }
    std::filesystem::path registryFolder() const { return folder / "registry"; }
    // What the desktop's opener was asked to open, one native path per line.
    std::string opened() const;
    // Extracts the records of one of the medium's archives into a folder of the sandbox.
    std::filesystem::path extractArchive(const std::string& archive) const;

private:
    TempFolder folder;
    std::filesystem::path savedFolder;
    std::string savedPath;
};
