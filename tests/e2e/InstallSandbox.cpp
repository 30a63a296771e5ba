#include "e2e/InstallSandbox.h"

#include "platform/Paths.h"
#include "support/HostCommand.h"
#include "system/Registration.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {
fs::path buildFolder() {
    const char* build = std::getenv("SETUP_BUILD_DIR");
    return build ? build : ".";
}
} // namespace

InstallSandbox::InstallSandbox() {
    fs::copy(buildFolder() / "medium", medium(), fs::copy_options::recursive);
    fs::create_directories(home() / "Windows");
    registry.emplace(registryFolder());
    presentDrives("cdz");
    opener.emplace(folder, RECORD_RUN_PATH);
    setenv("XDG_DATA_HOME", (folder / "apps").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    if (!kTestsRunOnWindows)
        setenv("WINDIR", "C:\\Windows", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    platform::overrideOwnProgramPath(kTestsRunOnWindows ? "D:\\setup.exe" : "D:\\setup");
    savedFolder = fs::current_path();
    fs::current_path(medium());
}

InstallSandbox::~InstallSandbox() {
    fs::current_path(savedFolder);
    platform::overrideOwnProgramPath("");
    opener.reset();
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "LANG"})
        unsetenv(name);
    if (!kTestsRunOnWindows)
        unsetenv("WINDIR");
    machine.reset();
    registry.reset();
}

fs::path InstallSandbox::setupProgram() const {
    return medium() / (kTestsRunOnWindows ? "setup.exe" : "setup");
}

fs::path InstallSandbox::programsFolder() const {
    std::string programs;
    EXPECT_TRUE(readProgramsFolder(programs));
    return fs::path(platform::toNativePath(programs)).make_preferred();
}

fs::path InstallSandbox::windowsFolder() const {
    return kTestsRunOnWindows ? opener->windowsFolder() : home() / "Windows";
}

void InstallSandbox::presentDrives(const std::string& letters) {
    std::vector<TestDrive> drives;
    if (letters.find('c') != std::string::npos)
        drives.push_back({'c', "fixed", home(), "SYSTEM"});
    if (letters.find('d') != std::string::npos)
        drives.push_back({'d', "cdrom", medium(), "MOONRISE"});
    if (letters.find('z') != std::string::npos)
        drives.push_back({'z', "fixed", "/"});
    machine.reset();
    machine.emplace(folder, drives);
}

void InstallSandbox::forgetRecords() {
    registry.reset();
    fs::remove_all(registryFolder());
    registry.emplace(registryFolder());
}

std::string InstallSandbox::opened() const {
    return opener->opened();
}

std::string InstallSandbox::openedAll(const std::vector<std::string>& names) const {
    const auto holdsAll = [&names](const std::string& text) {
        for (const std::string& name : names)
            if (text.find(name) == std::string::npos)
                return false;
        return true;
    };
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::string text = opened();
    while (!holdsAll(text) && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        text = opened();
    }
    return text;
}

fs::path InstallSandbox::extractArchive(const std::string& archive) const {
    const fs::path records = folder / ("records-" + fs::path(archive).stem().string());
    fs::create_directories(records);
    const fs::path packer =
        buildFolder() / "bin" / (kTestsRunOnWindows ? "sndpack.exe" : "sndpack");
    const ToolRun run = runTool(
        packer, {"extract", (medium() / archive).string(), records.string()}, folder.path());
    EXPECT_EQ(run.status, 0) << run.output;
    return records;
}
