#include "e2e/InstallSandbox.h"

#include "platform/posix/DriveTable.h"
#include "platform/Paths.h"
#include "support/OwnProgramPath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

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
    fs::create_directories(folder / "bin");
    folder.write("drives", "c:|fixed|" + home().string() + "|SYSTEM\nd:|cdrom|" +
                               medium().string() + "|MOONRISE\nz:|fixed|/\n");
    const auto opener = folder.write("bin/xdg-open", "#!/bin/sh\necho \"$1\" >> \"" +
                                                         (folder / "opened.txt").string() + "\"\n");
    fs::permissions(opener, fs::perms::owner_all);
    savedPath = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    setenv("PATH", ((folder / "bin").string() + ":" + savedPath).c_str(), 1);
    setenv("SETUP_DRIVE_TABLE", (folder / "drives").c_str(), 1);
    setenv("SETUP_REGISTRY_DIR", registryFolder().c_str(), 1);
    setenv("XDG_DATA_HOME", (folder / "apps").c_str(), 1);
    setenv("WINDIR", "C:\\Windows", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    platform::reloadDriveTable();
    platform::overrideOwnProgramPath("D:\\setup");
    savedFolder = fs::current_path();
    fs::current_path(medium());
}

InstallSandbox::~InstallSandbox() {
    fs::current_path(savedFolder);
    platform::overrideOwnProgramPath("");
    for (const char* name :
         {"SETUP_DRIVE_TABLE", "SETUP_REGISTRY_DIR", "XDG_DATA_HOME", "WINDIR", "LANG"})
        unsetenv(name);
    setenv("PATH", savedPath.c_str(), 1);
    platform::reloadDriveTable();
}

std::string InstallSandbox::opened() const {
    return readWholeFile(folder / "opened.txt");
}

fs::path InstallSandbox::extractArchive(const std::string& archive) const {
    const fs::path records = folder / ("records-" + fs::path(archive).stem().string());
    fs::create_directories(records);
    const std::string command = (buildFolder() / "bin/sndpack").string() + " extract '" +
                                (medium() / archive).string() + "' '" + records.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return records;
}
