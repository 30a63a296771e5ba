#include "copy/CopyList.h"
#include "paths/DrivePath.h"
#include "SoundFixtures.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"
#include "script/SetupScript.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A medium in a temporary folder, with the program pretending to run from its root.
class CopyListTest : public testing::Test {
protected:
    void SetUp() override {
        platform::overrideOwnProgramPath(drivePath(medium.path()) + "\\setup.exe");
    }
    void TearDown() override { platform::overrideOwnProgramPath(""); }

    std::vector<std::string> listFor(const std::string& section) {
        medium.write("install.ini", "[std]\n" + section);
        std::vector<std::string> list;
        int entryCount = -1;
        buildFileList(SetupScript(drivePath(medium / "install.ini")), "std", list, entryCount);
        return list;
    }

    TempFolder medium;
};

std::vector<std::string> sorted(std::vector<std::string> list) {
    std::sort(list.begin(), list.end());
    return list;
}

TEST_F(CopyListTest, UnusableFilesCountGivesAnEmptyList) {
    for (const char* count : {"", "files=0\n", "files=-3\n", "files=many\n"})
        EXPECT_TRUE(listFor(std::string(count) + "0=readme.txt\n").empty()) << count;
}

TEST_F(CopyListTest, FileEntriesGoInUnchangedAndDuplicatesStay) {
    EXPECT_EQ(listFor("files=4\n0=readme.txt\n1=data\\Intro.bmp\n2=readme.txt\n3=data\n"),
              (std::vector<std::string>{"readme.txt", "data\\Intro.bmp", "readme.txt", "data"}));
}

TEST_F(CopyListTest, FolderEntryListsFilesDirectlyInsideOnly) {
    medium.write("data/a.txt", "a");
    medium.write("data/b.txt", "b");
    medium.write("data/sub/deep.txt", "d");
    const auto list = listFor("files=3\n0=first.txt\n1=data\\\n2=last.txt\n");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list.front(), "first.txt");
    EXPECT_EQ(sorted({list[1], list[2]}), (std::vector<std::string>{"data\\a.txt", "data\\b.txt"}));
    EXPECT_EQ(list.back(), "last.txt");
}

TEST_F(CopyListTest, NestedFolderEntryAndMissingFolder) {
    medium.write("data/sub/deep.txt", "d");
    EXPECT_EQ(listFor("files=2\n0=data\\sub\\\n1=nowhere\\\n"),
              (std::vector<std::string>{"data\\sub\\deep.txt"}));
}

TEST_F(CopyListTest, FolderEntriesListTheInstallersFolderNotTheCurrentOne) {
    medium.write("data/a.txt", "a");
    std::vector<std::string> list;
    EXPECT_TRUE(listFolderFiles("data\\", list));
    EXPECT_EQ(list, (std::vector<std::string>{"data\\a.txt"}));
    EXPECT_TRUE(listFolderFiles("missing\\", list));
    EXPECT_EQ(list.size(), 1u);
}

TEST_F(CopyListTest, MissingKeyEndsTheList) {
    // A huge count must not make the reader walk two billion keys, nor leave a nameless entry
    // whose failed copy would name nothing.
    EXPECT_EQ(listFor("files=2000000000\n0=a.txt\n2=c.txt\n"), (std::vector<std::string>{"a.txt"}));
    EXPECT_EQ(listFor("files=3\n0=a.txt\n1=\n2=c.txt\n"), (std::vector<std::string>{"a.txt"}));
}

TEST(InstallerFolderTest, CutsTheProgramPathAtTheLastBackslash) {
    platform::overrideOwnProgramPath("D:\\setup.exe");
    EXPECT_EQ(ownProgramFolder(), "D:");
    platform::overrideOwnProgramPath("D:\\Setup\\bin\\setup.exe");
    EXPECT_EQ(ownProgramFolder(), "D:\\Setup\\bin");
    platform::overrideOwnProgramPath("");
    // A name without a folder lies in the current folder, for every user of the rule alike.
    EXPECT_EQ(folderOfPath("setup.exe"), ".");
    EXPECT_EQ(folderOfPath("C:\\"), "C:");
}

} // namespace
