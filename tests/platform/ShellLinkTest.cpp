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
                  native + "/demo.exe\"\nPath=" + native + "/\nComment=Starts the demo\n");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(temp / "menu"))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"Play Demo.desktop"});
}

TEST_F(ShellLinkTest, ExecQuotesReservedCharactersByTheDesktopEntryRules) {
    // Inside quotes '"', '`', '$' and '\' take a backslash and '%' is doubled; then the value's
    // own escapes double every backslash once more.
    std::filesystem::create_directories(temp / "a $b`c\"d%f");
    ASSERT_TRUE(platform::createShellLink(drive("a $b`c\"d%f") + "\\run.sh", drive("x.LNK"),
                                          "one \"two three\" C:\\x", "", ""));
    const std::string entry = readWholeFile(temp / "x.desktop");
    const std::string root = temp.path().string();
    EXPECT_NE(
        entry.find("\nExec=\"" + root +
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

TEST_F(ShellLinkTest, TheDesktopsOwnValidatorAcceptsAwkwardEntries) {
    if (std::system("desktop-file-validate --help >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "desktop-file-validate is not installed";
    const std::vector<std::string> folders = {"plain", "with blank", "a $b`c\"d%f", "zażółć",
                                              "x'y&z;(1)"};
    for (std::size_t i = 0; i < folders.size(); ++i) {
        std::filesystem::create_directories(temp / folders[i]);
        const std::string link = "entry" + std::to_string(i) + ".lnk";
        ASSERT_TRUE(platform::createShellLink(drive(folders[i]) + "\\run me.sh", drive(link),
                                              "-x \"two words\" C:\\x 100% $HOME",
                                              drive(folders[i]), "tab\there\nline"));
        const auto file = temp / ("entry" + std::to_string(i) + ".desktop");
        EXPECT_EQ(std::system(("desktop-file-validate '" + file.string() + "'").c_str()), 0)
            << readWholeFile(file);
    }
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
