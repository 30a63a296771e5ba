#include "system/Registration.h"
#include "platform/Paths.h"
#include "support/ShortcutFile.h"
#include "system/SystemFixture.h"

#include <filesystem>
#include <fstream>

using platform::RegistryHive;

namespace {

class RegistrationTest : public SystemFixture {
protected:
    void SetUp() override {
        SystemFixture::SetUp();
        script = std::make_unique<SetupScript>(writeScript("IDS_PROGRAM_NAME=Demo"));
        setup = session();
    }
    void addShortcut(const std::string& link, const std::string& target) {
        setup.shortcuts[static_cast<std::size_t>(setup.shortcutCount++)] = {link, target,
                                                                            "ignored"};
    }
    bool registerNow() {
        reason.clear();
        return registerInstallation(setup, *script, setup.targetFolder, setup.languageSection,
                                    &reason);
    }
    std::filesystem::path group() const { return programsFolder() / "Tervalis" / "Demo"; }
    // The group as the installer names it.
    std::string groupName() const {
        return platform::toDrivePath(programsFolder().string()) + "\\Tervalis\\Demo\\";
    }
    // The shortcut saved under this link name in the group.
    ShortcutFields shortcut(const std::string& link) const {
        ShortcutFields fields;
        EXPECT_TRUE(readShortcut(shortcutFile(group(), link), fields)) << link;
        return fields;
    }
    std::string programPath() const {
        return registryValue(RegistryHive::CurrentUser, setup.registryKey, "ProgramPath");
    }

    std::unique_ptr<SetupScript> script;
    SetupSession setup;
    std::string reason; // why the last registration failed
};

} // namespace

TEST(ProgramGroupFolderTest, OneBackslashAfterTheProgramsFolder) {
    EXPECT_EQ(programGroupFolder("C:\\Menu", "Maker", "Game"), "C:\\Menu\\Maker\\Game\\");
    EXPECT_EQ(programGroupFolder("C:\\Menu\\", "Maker", "Game"), "C:\\Menu\\Maker\\Game\\");
    EXPECT_EQ(withTrailingBackslash(""), "\\");
    EXPECT_EQ(withTrailingBackslash("C:\\Games\\"), "C:\\Games\\");
}

TEST_F(RegistrationTest, WritesUninstallEntryGroupShortcutsAndRecord) {
    addShortcut("Play Demo.lnk", "demo.exe");
    addShortcut("Editor.lnk", "tools\\editor.exe");
    ASSERT_TRUE(registerNow());
    EXPECT_EQ(registryValue(RegistryHive::LocalMachine, setup.uninstallKey, "DisplayName"), "Demo");
    EXPECT_EQ(registryValue(RegistryHive::LocalMachine, setup.uninstallKey, "UninstallString"),
              listedUninstallCommand("C:\\Games\\Demo\\Uninstall.exe", "Demo"));
    EXPECT_EQ(programPath(), "C:\\Games\\Demo");
    EXPECT_EQ(registryValue(RegistryHive::CurrentUser, setup.registryKey, "Lang"), "English");
    const std::filesystem::path game = native("c/Games/Demo");
    const ShortcutFields play = shortcut("Play Demo.lnk");
    EXPECT_EQ(play.target, game / "demo.exe");
    EXPECT_EQ(play.arguments, "");
    EXPECT_EQ(play.workFolder, game / "");
    // A target with a folder part lies in that subfolder; the work folder stays the target folder.
    const ShortcutFields editor = shortcut("Editor.lnk");
    EXPECT_EQ(editor.target, game / "tools" / "editor.exe");
    EXPECT_EQ(editor.workFolder, game / "");
}

TEST_F(RegistrationTest, NoShortcutsStillMakesTheGroup) {
    ASSERT_TRUE(registerNow());
    EXPECT_TRUE(std::filesystem::is_directory(group()));
    EXPECT_TRUE(std::filesystem::is_empty(group()));
}

TEST_F(RegistrationTest, AProgramsFolderEndingInABackslashGetsNoSecondOne) {
    std::filesystem::create_directories(native("c/Menu"));
    storeProgramsFolder("C:\\Menu\\");
    addShortcut("Play.lnk", "demo.exe");
    ASSERT_TRUE(registerNow());
    EXPECT_TRUE(std::filesystem::exists(shortcutFile(native("c/Menu/Tervalis/Demo"), "Play.lnk")));
}

TEST_F(RegistrationTest, ALinkNameWithoutTheLinkEndingIsSavedUnderExactlyThatName) {
    addShortcut("Read me", "readme.txt");
    ASSERT_TRUE(registerNow());
    EXPECT_TRUE(std::filesystem::exists(group() / "Read me"));
}

TEST_F(RegistrationTest, TheFirstFailingShortcutStopsTheRowsAndTheRecord) {
    for (const char* link : {"a.lnk", "b.lnk", "no such folder\\c.lnk", "d.lnk", "e.lnk"})
        addShortcut(link, "demo.exe");
    EXPECT_FALSE(registerNow());
    EXPECT_TRUE(std::filesystem::exists(shortcutFile(group(), "a.lnk")));
    EXPECT_TRUE(std::filesystem::exists(shortcutFile(group(), "b.lnk")));
    EXPECT_FALSE(std::filesystem::exists(shortcutFile(group(), "d.lnk")));
    EXPECT_FALSE(std::filesystem::exists(shortcutFile(group(), "e.lnk")));
    EXPECT_EQ(reason, "the shortcut " + groupName() + "no such folder\\c.lnk could not be saved");
    EXPECT_EQ(programPath(), "<missing>");
    EXPECT_EQ(registryValue(RegistryHive::LocalMachine, setup.uninstallKey, "DisplayName"), "Demo");
}

TEST_F(RegistrationTest, ATargetFolderEndingInABackslashDoublesItInTheUninstallString) {
    setup.targetFolder = "C:\\Games\\Demo\\";
    addShortcut("Play.lnk", "demo.exe");
    ASSERT_TRUE(registerNow());
    EXPECT_EQ(registryValue(RegistryHive::LocalMachine, setup.uninstallKey, "UninstallString"),
              listedUninstallCommand("C:\\Games\\Demo\\\\Uninstall.exe", "Demo"));
    // The shortcut's target base does not double it.
    EXPECT_EQ(shortcut("Play.lnk").target, native("c/Games/Demo") / "demo.exe");
}

TEST_F(RegistrationTest, AnUnreadableProgramsFolderFailsWithoutMakingAGroup) {
    storeProgramsFolder("C:\\" + std::string(200, 'm'));
    addShortcut("Play.lnk", "demo.exe");
    EXPECT_FALSE(registerNow());
    EXPECT_EQ(reason, "the registry names no usable Start menu programs folder");
    EXPECT_EQ(programPath(), "<missing>");
    EXPECT_EQ(registryValue(RegistryHive::LocalMachine, setup.uninstallKey, "DisplayName"), "Demo");
    EXPECT_FALSE(std::filesystem::exists(native("c/Tervalis")));
    EXPECT_FALSE(std::filesystem::exists(native("c/data/applications")));
}

#ifndef _WIN32
// The registry kept in a folder that cannot be made: the reason names that folder, not the group.
TEST_F(RegistrationTest, AnUnusableRegistryFolderIsNamedAsTheReason) {
    const std::filesystem::path blocker = native("c/registry-blocker"), programGroup = group();
    std::ofstream(blocker) << "a file where the registry's folder should be";
    setenv("SETUP_REGISTRY_DIR", (blocker / "registry").c_str(), 1);
    EXPECT_FALSE(registerNow());
    EXPECT_EQ(reason, "the registry folder " + (blocker / "registry").string() +
                          " cannot be made: Not a directory");
    EXPECT_FALSE(std::filesystem::exists(programGroup));
}
#endif

TEST_F(RegistrationTest, AGroupThatCannotBeMadeFailsBeforeAnyShortcut) {
    std::filesystem::create_directories(programsFolder());
    std::ofstream(programsFolder() / "Tervalis") << "a file where the folder should be";
    addShortcut("Play.lnk", "demo.exe");
    EXPECT_FALSE(registerNow());
    EXPECT_EQ(reason, "the folder " + groupName() + " could not be made");
    EXPECT_EQ(programPath(), "<missing>");
}

TEST_F(RegistrationTest, TwoLanguagesGiveTwoUninstallEntries) {
    ASSERT_TRUE(registerNow());
    setup = session("Polski");
    setup.targetFolder = "C:\\Gry\\Demo";
    ASSERT_TRUE(registerNow());
    const std::string list = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    EXPECT_EQ(registryValue(RegistryHive::LocalMachine, list + "Demo_English", "UninstallString"),
              listedUninstallCommand("C:\\Games\\Demo\\Uninstall.exe", "Demo"));
    EXPECT_EQ(registryValue(RegistryHive::LocalMachine, list + "Demo_Polski", "UninstallString"),
              listedUninstallCommand("C:\\Gry\\Demo\\Uninstall.exe", "Demo"));
}

// Names from the script that would put a desktop entry outside the program group: each such
// shortcut is left out and the others are made; a company or program name that climbs out of
// the programs folder leaves no group to make at all.
TEST_F(RegistrationTest, NamesThatLeaveTheGroupWriteNothingOutsideIt) {
    for (const char* link : {"..\\..\\..\\..\\evil.lnk", "..\\evil.lnk", "sub\\..\\..\\evil.lnk",
                             "C:\\evil.lnk", "\\evil.lnk", "../evil.lnk"})
        addShortcut(link, "demo.exe");
    addShortcut("Play.lnk", "demo.exe");
    ASSERT_TRUE(registerNow());
    EXPECT_TRUE(std::filesystem::exists(shortcutFile(group(), "Play.lnk")));
    std::vector<std::string> written;
    for (const auto& item : std::filesystem::recursive_directory_iterator(temp.path()))
        if (item.path().filename().string().find("evil") != std::string::npos)
            written.push_back(item.path().string());
    // The group's folders up to four levels above it, and the drive's root.
    std::vector<std::filesystem::path> above = {native("c")};
    for (auto folder = group(); above.size() < 6; folder = folder.parent_path())
        above.push_back(folder);
    for (const auto& folder : above)
        for (const char* name : {"evil.lnk", "evil.desktop"})
            if (std::filesystem::exists(folder / name))
                written.push_back((folder / name).string());
    EXPECT_TRUE(written.empty()) << written.front();

    for (const auto& [company, program] :
         {std::pair<std::string, std::string>{"..\\..\\..", "Demo"}, {"Tervalis", "..\\..\\x"}}) {
        SCOPED_TRACE(company + " / " + program);
        setup = session();
        setup.companyName = company;
        setup.programName = program;
        EXPECT_FALSE(registerNow());
        for (const char* outside : {"../../../Demo", "../../Demo", "../x"})
            EXPECT_FALSE(std::filesystem::exists(programsFolder() / outside)) << outside;
    }
}

// A name from the script that would show otherwise than it is (a direction mark, a control
// character) never names a menu entry or the group's folder: such a shortcut is left out, such a
// company or program name makes no group, and the run says why.
TEST_F(RegistrationTest, NamesThatShowOtherwiseThanTheyAreNameNoEntry) {
    for (const char* link : {"Play\xE2\x80\xAEknl.exe.lnk", "Bell\x07.lnk", "Mark\xE2\x80\x8F.lnk"})
        addShortcut(link, "demo.exe");
    addShortcut("Play.lnk", "demo.exe");
    ASSERT_TRUE(registerNow());
    std::vector<std::string> entries;
    for (const auto& item : std::filesystem::directory_iterator(group()))
        entries.push_back(item.path().filename().string());
    EXPECT_EQ(entries, std::vector<std::string>{shortcutFile(group(), "Play.lnk").filename().string()});

    for (const auto& [company, program] : {std::pair<std::string, std::string>{"Terva\xE2\x81\xA7lis", "Demo"},
                                          {"Tervalis", "De\x1Bmo"}}) {
        setup = session();
        setup.companyName = company;
        setup.programName = program;
        EXPECT_FALSE(registerNow());
        EXPECT_NE(reason.find("holds a control character or a mark that turns the direction"),
                  std::string::npos)
            << reason;
    }
}

// The system's list would start whatever the command names: an uninstaller outside the target
// folder is not recorded, and the rest of the registration goes on.
TEST_F(RegistrationTest, AnUninstallerOutsideTheTargetIsNotRecorded) {
    for (const char* name :
         {"..\\..\\..\\evil.exe", "C:\\evil.exe", "\\evil.exe", "bin\\..\\..\\x.exe"}) {
        SCOPED_TRACE(name);
        temp.write("d/install.ini", std::string("[Option]\nPROGRAM_NAME=Demo\nDEINSTALLEXE_NAME=") +
                                        name + "\n\n[English]\n");
        const SetupScript climbing("D:\\install.ini", "English");
        EXPECT_TRUE(
            registerInstallation(setup, climbing, setup.targetFolder, setup.languageSection));
        EXPECT_EQ(registryValue(RegistryHive::LocalMachine, setup.uninstallKey, "UninstallString"),
                  "<missing>");
        EXPECT_EQ(programPath(), "C:\\Games\\Demo");
    }
}
