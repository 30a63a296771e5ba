#include "session/SessionSetup.h"
#include "script/SetupScript.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

namespace {

std::optional<std::string> pageNeverShown() {
    ADD_FAILURE() << "the language page was shown";
    return std::nullopt;
}

TEST(LanguageChoice, mappedSystemLanguageSkipsThePage) {
    TempFolder folder;
    const auto script = folder.write("install.ini", "[Language]\n0415=Polski\n0409=\n");
    EXPECT_EQ(chooseLanguageSection(SetupScript(script.string()), "0415", pageNeverShown),
              "Polski");
}

TEST(LanguageChoice, emptyOrMissingEntryShowsThePage) {
    TempFolder folder;
    const auto script = folder.write("install.ini", "[Language]\n0415=Polski\n0409=\n");
    int shown = 0;
    auto page = [&]() -> std::optional<std::string> {
        ++shown;
        return std::string("Typed");
    };
    EXPECT_EQ(chooseLanguageSection(SetupScript(script.string()), "0409", page), "Typed");
    EXPECT_EQ(chooseLanguageSection(SetupScript(script.string()), "0407", page), "Typed");
    EXPECT_EQ(shown, 2);
    auto cancelled = [] { return std::optional<std::string>(); };
    EXPECT_EQ(chooseLanguageSection(SetupScript(script.string()), "0407", cancelled), std::nullopt);
}

// The command line's language must be one the list offers; it is taken as the list spells it.
TEST(LanguageChoice, commandLineLanguageMustBeListed) {
    TempFolder folder;
    const auto script = folder.write(
        "install.ini", "[Language]\nNr=2\n0=English\n1=Polski\n2=Deutsch\n[Deutsch]\nX=1\n");
    const SetupScript languages(script.string());
    EXPECT_EQ(listedLanguage(languages, "Polski"), "Polski");
    EXPECT_EQ(listedLanguage(languages, "polski"), "Polski");
    EXPECT_EQ(listedLanguage(languages, "Deutsch"), std::nullopt) << "past the list's count";
    EXPECT_EQ(listedLanguage(languages, "Pol"), std::nullopt);
    EXPECT_EQ(listedLanguage(languages, ""), std::nullopt);
}

// The program's own words follow the chosen section's language: the system's id when the script
// maps it there, else the first id the script maps to the section.
TEST(LanguageChoice, theSectionsLanguageIdIsFoundInTheLanguageList) {
    TempFolder folder;
    const auto script = folder.write(
        "install.ini", "[Language]\nNr=2\n0=English\n1=Polski\n0409=English\n0809=English\n"
                       "0415=polski\nPL=Polski\n[Polski]\n0407=Polski\n");
    const SetupScript languages(script.string());
    const struct {
        const char* section;
        const char* system;
        const char* id;
    } cases[] = {{"Polski", "0409", "0415"}, {"Polski", "0415", "0415"},
                 {"English", "0809", "0809"}, {"English", "0415", "0409"},
                 {"Deutsch", "0409", ""},     {"", "0409", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(sectionLanguageId(languages, c.section, c.system), c.id) << c.section;
}

SetupSession filledSession(const std::string& scriptText, const std::string& language) {
    TempFolder folder;
    const auto script = folder.write("install.ini", scriptText);
    SetupSession session;
    session.scriptPath = script.string();
    session.languageSection = language;
    fillSetupSession(session, SetupScript(script.string(), language));
    return session;
}

TEST(SessionFilling, namesKeysAndTable) {
    const SetupSession session = filledSession(
        "[Option]\nPROGRAM_NAME=Harbour\n[English]\nIDS_COMPANY_NAME=Tervalis\n"
        "IDS_PROGRAM_NAME=Moonrise\nIDS_DOMYSLNY_KATALOG=C:\\Games\\Moonrise\nShortcuts=2\n"
        "Description0=Play.lnk\nFile0=play.exe\nWork0=w0\nDescription1=Help.lnk\nFile1=help\\index."
        "txt\n",
        "English");
    EXPECT_EQ(session.registryKey, "Software\\Tervalis\\Harbour_English");
    EXPECT_EQ(session.uninstallKey,
              "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Harbour_English");
    EXPECT_EQ(session.companyName, "Tervalis");
    EXPECT_EQ(session.programName, "Moonrise");
    EXPECT_EQ(session.targetFolder, "C:\\Games\\Moonrise");
    ASSERT_EQ(session.shortcutCount, 2);
    EXPECT_EQ(session.shortcuts[0].linkName, "Play.lnk");
    EXPECT_EQ(session.shortcuts[0].workFolder, "w0");
    EXPECT_EQ(session.shortcuts[1].targetName, "help\\index.txt");
    EXPECT_EQ(session.shortcuts[1].workFolder, "");
}

TEST(SessionFilling, missingProgramNameLeavesTheUnderscore) {
    const SetupSession session = filledSession("[Polski]\n", "Polski");
    EXPECT_EQ(session.registryKey, "Software\\Tervalis\\_Polski");
    EXPECT_EQ(session.shortcutCount, 0);
    EXPECT_EQ(session.targetFolder, "");
}

TEST(SessionFilling, shortcutCountIsKeptWithinTheTable) {
    std::string rows;
    for (int i = 0; i < 12; ++i)
        rows += "Description" + std::to_string(i) + "=L" + std::to_string(i) + "\n";
    EXPECT_EQ(filledSession("[E]\nShortcuts=12\n" + rows, "E").shortcutCount, 10);
    EXPECT_EQ(filledSession("[E]\nShortcuts=12\n" + rows, "E").shortcuts[9].linkName, "L9");
    EXPECT_EQ(filledSession("[E]\nShortcuts=-4\n" + rows, "E").shortcutCount, 0);
    const SetupSession none = filledSession("[E]\nShortcuts=0\n" + rows, "E");
    EXPECT_EQ(none.shortcutCount, 0);
    EXPECT_EQ(none.shortcuts[0].linkName, "") << "no row is read";
    // A count beyond the rows present ends at the first row with neither name nor target.
    const std::string three = "Description0=A\nFile0=a.exe\nFile1=b.exe\nDescription2=C\n";
    EXPECT_EQ(filledSession("[E]\nShortcuts=99\n" + three, "E").shortcutCount, 3);
    EXPECT_EQ(filledSession("[E]\nShortcuts=99\n" + three + "File4=e.exe\n", "E").shortcutCount, 3);
}

TEST(SourceDrive, firstCdRomDriveHoldingTheScriptWins) {
    TempFolder folder;
    folder.write("e/install.ini", "[Option]\n");
    folder.write("f/install.ini", "[Option]\n");
    folder.write("c/install.ini", "[Option]\n");
    std::filesystem::create_directories(folder / "d");
    const TestMachine machine(folder, {{'c', "fixed", TestMachine::driveFolder(folder.path(), 'c')},
                                       {'d', "cdrom", folder / "d"},
                                       {'f', "cdrom", folder / "f"},
                                       {'e', "cdrom", folder / "e"}});
    EXPECT_EQ(findSourceDrive(), "e");
}

TEST(SourceDrive, noCdRomDriveGivesX) {
    TempFolder folder;
    folder.write("c/install.ini", "[Option]\n");
    const TestMachine machine(folder,
                              {{'c', "fixed", TestMachine::driveFolder(folder.path(), 'c')}});
    EXPECT_EQ(findSourceDrive(), "X");
}

TEST(ScriptLocation, scriptBesideTheProgram) {
    EXPECT_EQ(scriptPathBeside("D:\\SETUP.EXE"), "D:\\install.ini");
    EXPECT_EQ(scriptPathBeside("C:\\Media\\Demo\\setup"), "C:\\Media\\Demo\\install.ini");
}

} // namespace
