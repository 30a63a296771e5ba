// Shortcuts on Windows: the link file is read back through the shell link object.
#include "platform/ShellLink.h"
#include "platform/Paths.h"
#include "support/ShortcutFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class ShellLinkWindowsTest : public testing::Test {
protected:
    std::string drive(const std::string& relative) const {
        return platform::toDrivePath((temp / relative).string());
    }
    TempFolder temp;
};

} // namespace

TEST_F(ShellLinkWindowsTest, LinkFileCarriesTargetArgumentsFolderAndDescription) {
    temp.write("game/demo.exe", "");
    std::filesystem::create_directories(temp / "menu");
    ASSERT_TRUE(platform::createShellLink(drive("game") + "\\demo.exe",
                                          drive("menu") + "\\Play Demo.lnk",
                                          "-x \"two words\" 100%", drive("game"),
                                          "Starts the demo"));
    ShortcutFields fields;
    ASSERT_TRUE(readShortcut(temp / "menu" / "Play Demo.lnk", fields));
    EXPECT_EQ(fields.target, temp / "game" / "demo.exe");
    EXPECT_EQ(fields.arguments, "-x \"two words\" 100%");
    EXPECT_EQ(fields.workFolder, temp / "game");
    EXPECT_EQ(fields.description, "Starts the demo");
}

TEST_F(ShellLinkWindowsTest, EmptyFieldsStayEmptyAndALinkIsReplaced) {
    ASSERT_TRUE(platform::createShellLink(drive("old.exe"), drive("a.lnk"), "", "", ""));
    ASSERT_TRUE(platform::createShellLink(drive("new.exe"), drive("a.lnk"), "", "", ""));
    ShortcutFields fields;
    ASSERT_TRUE(readShortcut(temp / "a.lnk", fields));
    EXPECT_EQ(fields.target, temp / "new.exe");
    EXPECT_EQ(fields.arguments, "");
    EXPECT_EQ(fields.workFolder, "");
    EXPECT_EQ(fields.description, "");
}

TEST_F(ShellLinkWindowsTest, FailsWhenTheFolderIsMissingOrTheLinkIsAFolder) {
    EXPECT_FALSE(platform::createShellLink(drive("t.exe"), drive("missing") + "\\a.lnk", "", "", ""));
    std::filesystem::create_directories(temp / "folder.lnk");
    EXPECT_FALSE(platform::createShellLink(drive("t.exe"), drive("folder.lnk"), "", "", ""));
    EXPECT_FALSE(platform::createShellLink("", drive("b.lnk"), "", "", ""));
    EXPECT_FALSE(std::filesystem::exists(temp / "missing"));
}
