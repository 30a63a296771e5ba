#include "system/SystemFixture.h"

#include "platform/posix/DriveTable.h"
#include "platform/Paths.h"
#include "support/OwnProgramPath.h"
#include "system/RegistryStrings.h"

#include <cstdlib>

using platform::RegistryHive;

void SystemFixture::SetUp() {
    std::filesystem::create_directories(temp / "c");
    std::filesystem::create_directories(temp / "d");
    temp.write("drives.txt", "c:|fixed|" + (temp / "c").string() + "\nd:|cdrom|" +
                                 (temp / "d").string() + "\nz:|fixed|/\n");
    setenv("SETUP_DRIVE_TABLE", (temp / "drives.txt").c_str(), 1);
    setenv("SETUP_REGISTRY_DIR", (temp / "registry").c_str(), 1);
    setenv("XDG_DATA_HOME", (temp / "c" / "data").c_str(), 1);
    unsetenv("WINDIR");
    platform::reloadDriveTable();
    platform::overrideOwnProgramPath("D:\\setup.exe");
}

void SystemFixture::TearDown() {
    for (const char* name : {"SETUP_DRIVE_TABLE", "SETUP_REGISTRY_DIR", "XDG_DATA_HOME", "WINDIR"})
        unsetenv(name);
    platform::reloadDriveTable();
    platform::overrideOwnProgramPath("");
}

SetupScript SystemFixture::writeScript(const std::string& languageBody,
                                       const std::string& language) {
    temp.write("d/install.ini",
               "[Option]\nPROGRAM_NAME=Demo\nDEINSTALLEXE_NAME=Uninstall.exe\n\n[" + language +
                   "]\n" + languageBody + "\n");
    return SetupScript("D:\\install.ini", language);
}

SetupSession SystemFixture::session(const std::string& language) const {
    SetupSession session;
    session.languageSection = language;
    session.registryKey = "Software\\Tervalis\\Demo_" + language;
    session.uninstallKey =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo_" + language;
    session.scriptPath = "D:\\install.ini";
    session.sourceDrive = "d";
    session.targetFolder = "C:\\Games\\Demo";
    session.companyName = "Tervalis";
    session.programName = "Demo";
    return session;
}

std::string SystemFixture::registryValue(RegistryHive hive, const std::string& key,
                                         const std::string& name) {
    std::string value = "<missing>";
    readRegistryString(hive, key, name, value);
    return value;
}

void SystemFixture::storeProgramsFolder(const std::string& folder) {
    ASSERT_TRUE(
        writeRegistryString(RegistryHive::CurrentUser,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            "Programs", folder));
}
