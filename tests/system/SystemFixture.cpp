#include "system/SystemFixture.h"

#include "platform/Paths.h"
#include "system/Registration.h"
#include "system/RegistryStrings.h"

#include <cstdlib>
#include <fstream>

using platform::RegistryHive;

void SystemFixture::SetUp() {
    const auto c = TestMachine::driveFolder(temp.path(), 'c');
    if (!std::filesystem::exists(c)) // the system drive's root is there already
        std::filesystem::create_directories(c);
    std::filesystem::create_directories(temp / "d");
    if (const char* windows = std::getenv("WINDIR"))
        savedWindowsFolder = windows;
    registry.emplace(temp / "registry");
    machine.emplace(temp, std::vector<TestDrive>{
                              {'c', "fixed", c}, {'d', "cdrom", temp / "d"}, {'z', "fixed", "/"}});
    setenv("XDG_DATA_HOME", (temp / "c" / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (temp / "c" / "config").c_str(), 1);
    unsetenv("WINDIR");
    platform::overrideOwnProgramPath("D:\\setup.exe");
}

void SystemFixture::TearDown() {
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
    if (savedWindowsFolder)
        setenv("WINDIR", savedWindowsFolder->c_str(), 1);
    else
        unsetenv("WINDIR");
    machine.reset();
    registry.reset();
    platform::overrideOwnProgramPath("");
}

std::filesystem::path SystemFixture::native(const std::string& relative) const {
    const bool onDrive = !relative.empty() && (relative.size() == 1 || relative[1] == '/');
    std::filesystem::path path = temp / relative;
    if (onDrive) {
        const auto root = TestMachine::driveFolder(temp.path(), relative[0]);
        path = relative.size() > 2 ? root / relative.substr(2) : root;
    }
    return path.make_preferred();
}

std::filesystem::path SystemFixture::writeNative(const std::string& relative,
                                                 const std::string& bytes) const {
    const auto file = native(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
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

std::filesystem::path SystemFixture::programsFolder() const {
    std::string folder;
    EXPECT_TRUE(readProgramsFolder(folder));
    return std::filesystem::path(platform::toNativePath(folder)).make_preferred();
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
