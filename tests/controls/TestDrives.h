#pragma once
// Drives of our own for the length of a test: each drive a folder under a temporary folder (on
// Windows the system drive C: is the system's), with the type and label the test gives it.
#include "support/TempFolder.h"
#include "support/TestMachine.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class TestDrives {
public:
    TestDrives() = default;
    TestDrives(const TestDrives&) = delete;
    TestDrives& operator=(const TestDrives&) = delete;

    // Adds a drive whose folder exists ("x:" followed by a backslash is its root).
    std::filesystem::path add(char letter, const std::string& type, const std::string& label = {},
                              bool compressed = false);
    // Adds a drive whose folder does not exist, like a drive without a medium.
    void addEmpty(char letter, const std::string& type);
    // Presents the drives to the program.
    void install();

    // Creates the folders of a relative path ("Program Files/Games") on a drive.
    std::filesystem::path makeFolders(char letter, const std::string& relative) const;
    std::filesystem::path folderOf(char letter) const {
        return TestMachine::driveFolder(temp.path(), letter);
    }

private:
    SystemFolderGuard systemFolders;
    TempFolder temp;
    std::vector<TestDrive> drives;
    std::optional<TestMachine> machine;
};

// Changes the current folder for the length of a scope and changes it back.
class CurrentFolderScope {
public:
    explicit CurrentFolderScope(const std::filesystem::path& folder);
    ~CurrentFolderScope();

private:
    std::filesystem::path previous;
};
