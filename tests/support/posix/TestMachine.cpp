#include "support/TestMachine.h"

#include "support/DriveTableFile.h"

#include <cstdlib>
#include <optional>

struct TestMachine::State {
    std::optional<DriveTableFile> table;
};

TestMachine::TestMachine(const TempFolder& scratch, const std::vector<TestDrive>& drives)
    : state(std::make_unique<State>()) {
    std::string lines;
    for (const TestDrive& drive : drives) {
        const auto folder = drive.folder.empty() ? scratch / "missing" : drive.folder;
        lines += std::string(1, drive.letter) + ":|" + drive.type + "|" + folder.string() + "|" +
                 drive.label + (drive.compressed ? "|compressed\n" : "\n");
    }
    state->table.emplace(scratch, lines);
}

TestMachine::~TestMachine() = default;

std::filesystem::path TestMachine::driveFolder(const std::filesystem::path& under, char letter) {
    return under / std::string(1, letter);
}

bool TestMachine::presentsCompressedDrives() {
    return true;
}

bool TestMachine::presentsDrivesWithoutMedium() {
    return true;
}

struct SystemFolderGuard::State {};

SystemFolderGuard::SystemFolderGuard() = default;

SystemFolderGuard::~SystemFolderGuard() = default;

std::string listedUninstallCommand(const std::string&, const std::string& product) {
    return "\"" + std::filesystem::read_symlink("/proc/self/exe").string() + "\" --uninstall \"" +
           product + "\"";
}

struct TestRegistry::State {};

TestRegistry::TestRegistry(const std::filesystem::path& hiveFolder) {
    setenv("SETUP_REGISTRY_DIR", hiveFolder.c_str(), 1);
    // The installations' journals beside the hives, apart from them.
    setenv("SETUP_JOURNAL_DIR", (hiveFolder.string() + "-journals").c_str(), 1);
}

TestRegistry::~TestRegistry() {
    unsetenv("SETUP_REGISTRY_DIR");
    unsetenv("SETUP_JOURNAL_DIR");
}
