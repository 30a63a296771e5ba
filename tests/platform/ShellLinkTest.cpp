#include "platform/ShellLink.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class ShellLinkTest : public testing::Test {
protected:
    std::string drive(const std::string& relative) const {
        return platform::toDrivePath((temp / relative).string());
    }
    TempFolder temp;
};

} // namespace

TEST_F(ShellLinkTest, LnkBecomesADesktopEntry) {
    std::filesystem::create_directories(temp / "menu");
    std::filesystem::create_directories(temp / "game");
    ASSERT_TRUE(platform::createShellLink(drive("game") + "\\demo.exe",
                                          drive("menu") + "\\Play Demo.lnk", "",
                                          drive("game") + "\\", "Starts the demo"));
    EXPECT_FALSE(std::filesystem::exists(temp / "menu" / "Play Demo.lnk"));
    const std::string native = (temp / "game").string();
    EXPECT_EQ(readWholeFile(temp / "menu" / "Play Demo.desktop"),
              "[Desktop Entry]\nType=Application\nName=Play Demo\n"
              "Exec=\"" +
                  native + "/demo.exe\"\nPath=" + native +
                  "/\nComment=Starts the demo\nIcon=application-x-executable\nCategories=Game;\n");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(temp / "menu"))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"Play Demo.desktop"});
}

TEST_F(ShellLinkTest, ExecQuotesReservedCharactersByTheDesktopEntryRules) {
    // Inside quotes '"', '`', '$' and '\' take a backslash and '%' is doubled; then the value's
    // own escapes double every backslash once more. A program whose path holds '%' starts
    // through env: GLib looks the program up before "%%" becomes '%'.
    std::filesystem::create_directories(temp / "a $b`c\"d%f");
    ASSERT_TRUE(platform::createShellLink(drive("a $b`c\"d%f") + "\\run.sh", drive("x.LNK"),
                                          "one \"two three\" C:\\x", "", ""));
    const std::string entry = readWholeFile(temp / "x.desktop");
    const std::string root = temp.path().string();
    EXPECT_NE(
        entry.find("\nExec=env \"" + root +
                   "/a \\\\$b\\\\`c\\\\\"d%%f/run.sh\" \"one\" \"two three\" \"C:\\\\\\\\x\"\n"),
        std::string::npos)
        << entry;
    EXPECT_EQ(entry.find("Path="), std::string::npos);
    EXPECT_EQ(entry.find("Comment="), std::string::npos);
    EXPECT_NE(entry.find("\nName=x\n"), std::string::npos);
}

TEST_F(ShellLinkTest, LineBreaksInTextsStayInsideTheirKey) {
    ASSERT_TRUE(
        platform::createShellLink(drive("t.exe"), drive("two\nlines.lnk"), "", "", "x\nType=Link"));
    const std::string entry = readWholeFile(temp / "two\nlines.desktop");
    EXPECT_NE(entry.find("\nName=two\\nlines\n"), std::string::npos);
    EXPECT_NE(entry.find("\nComment=x\\nType=Link\n"), std::string::npos);
}

TEST_F(ShellLinkTest, FailsWhenTheFolderIsMissingOrTheLinkIsAFolder) {
    EXPECT_FALSE(
        platform::createShellLink(drive("t.exe"), drive("missing") + "\\a.lnk", "", "", ""));
    std::filesystem::create_directories(temp / "folder.desktop");
    EXPECT_FALSE(platform::createShellLink(drive("t.exe"), drive("folder.lnk"), "", "", ""));
    EXPECT_FALSE(std::filesystem::exists(temp / "missing"));
}

TEST_F(ShellLinkTest, ReplacesAnExistingLink) {
    ASSERT_TRUE(platform::createShellLink(drive("old.exe"), drive("a.lnk"), "", "", ""));
    ASSERT_TRUE(platform::createShellLink(drive("new.exe"), drive("a.lnk"), "", "", ""));
    const std::string entry = readWholeFile(temp / "a.desktop");
    EXPECT_NE(entry.find("new.exe"), std::string::npos);
    EXPECT_EQ(entry.find("old.exe"), std::string::npos);
}

// Each entry passes the desktop's own validator and loads in GLib's launcher, which also looks the
// program up: awkward folder names, percent signs included, never make an entry a desktop refuses.
TEST_F(ShellLinkTest, TheDesktopsOwnValidatorAndLauncherAcceptAwkwardEntries) {
    if (std::system("desktop-file-validate --help >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "desktop-file-validate is not installed";
    // GLib's own loader, through Debian's Python and its GLib binding (python3-gi).
    const bool glib = std::system("/usr/bin/python3 -c 'import gi; gi.require_version(\"Gio\", \"2.0\")' "
                                  "2>/dev/null") == 0;
    EXPECT_TRUE(glib) << "GLib's loader cannot be reached: install python3-gi";
    const std::vector<std::string> folders = {"plain",  "with blank", "a $b`c\"d%f",
                                              "zażółć", "x'y&z;(1)",  "Pct 100%d"};
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const auto program = temp.write(folders[i] + "/run me.sh", "#!/bin/sh\n");
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        const std::string link = "entry" + std::to_string(i) + ".lnk";
        ASSERT_TRUE(platform::createShellLink(drive(folders[i]) + "\\run me.sh", drive(link),
                                              "-x \"two words\" C:\\x 100% $HOME",
                                              drive(folders[i]), "tab\there\nline"));
        const auto file = temp / ("entry" + std::to_string(i) + ".desktop");
        EXPECT_EQ(std::system(("desktop-file-validate '" + file.string() + "'").c_str()), 0)
            << readWholeFile(file);
        if (glib) {
            const std::string load =
                "/usr/bin/python3 -c 'import sys, gi; gi.require_version(\"Gio\", \"2.0\"); "
                "from gi.repository import Gio; "
                "sys.exit(0 if Gio.DesktopAppInfo.new_from_filename(sys.argv[1]) else 1)' \"" +
                file.string() + "\"";
            EXPECT_EQ(std::system(load.c_str()), 0) << "GLib refuses " << readWholeFile(file);
        }
    }
}

// The program group is a menu folder of its own, named after the group, listing its entries.
TEST_F(ShellLinkTest, TheProgramGroupIsAMenuFolder) {
    setenv("XDG_DATA_HOME", (temp / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (temp / "config").c_str(), 1);
    const std::string group = drive("data/applications/Tervalis/Moonrise Harbour");
    std::filesystem::create_directories(temp / "data/applications/Tervalis/Moonrise Harbour");
    for (const char* link : {"\\Play.lnk", "\\Read me.lnk"})
        ASSERT_TRUE(platform::createShellLink(drive("game.exe"), group + link, "", "", ""));
    const std::string menu = readWholeFile(
        temp / "config/menus/applications-merged/cd-setup-Tervalis-Moonrise-Harbour.menu");
    const std::string directory = readWholeFile(
        temp / "data/desktop-directories/cd-setup-Tervalis-Moonrise-Harbour.directory");
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_NE(menu.find("<Name>Moonrise Harbour</Name>"), std::string::npos) << menu;
    EXPECT_NE(menu.find("<Directory>cd-setup-Tervalis-Moonrise-Harbour.directory</Directory>"),
              std::string::npos);
    EXPECT_NE(menu.find("<Filename>Tervalis-Moonrise Harbour-Play.desktop</Filename>\n"
                        "      <Filename>Tervalis-Moonrise Harbour-Read me.desktop</Filename>"),
              std::string::npos)
        << menu;
    EXPECT_EQ(directory, "[Desktop Entry]\nType=Directory\nName=Moonrise Harbour\nIcon=folder\n");
}

TEST_F(ShellLinkTest, DocumentIsOpenedWithTheDesktopsProgramForIt) {
    const auto readme = temp.write("game/readme.txt", "read me");
    std::filesystem::permissions(readme, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_write);
    const auto program = temp.write("game/play.sh", "#!/bin/sh\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    ASSERT_TRUE(platform::createShellLink(drive("game") + "\\readme.txt", drive("Read me.lnk"), "",
                                          drive("game"), ""));
    ASSERT_TRUE(platform::createShellLink(drive("game") + "\\play.sh", drive("Play.lnk"), "",
                                          drive("game"), ""));
    EXPECT_NE(readWholeFile(temp / "Read me.desktop")
                  .find("\nExec=xdg-open \"" + readme.string() + "\"\n"),
              std::string::npos);
    EXPECT_NE(readWholeFile(temp / "Play.desktop").find("\nExec=\"" + program.string() + "\"\n"),
              std::string::npos);
}
