#include "controls/FolderTree.h"
#include "controls/TestDrives.h"

#include <gtest/gtest.h>

#include <fstream>

#include <vector>

namespace {

struct Shown {
    std::string name;
    bool isPathLevel;
    int depth;
    bool operator==(const Shown&) const = default;
};

std::vector<Shown> shown(const FolderTree& tree) {
    std::vector<Shown> entries;
    for (const FolderItem& item : tree.items())
        entries.push_back({item.name, item.isPathLevel, item.depth});
    return entries;
}

void PrintTo(const Shown& entry, std::ostream* out) {
    *out << "{" << entry.name << ", " << entry.isPathLevel << ", " << entry.depth << "}";
}

class FolderTreeTest : public testing::Test {
protected:
    void SetUp() override {
        drives.add('c', "fixed", "SYSTEM");
        drives.addEmpty('e', "removable");
        for (const char* folder :
             {"Program Files/Games", "Program Files/common Files", "Program Files/Zeta",
              "Program Files/.config", "Program Files/alpha/deeper", "Windows"})
            drives.makeFolders('c', folder);
        std::ofstream(drives.folderOf('c') / "Program Files" / "readme.txt") << "x";
        drives.install();
    }

    TestDrives drives;
    FolderTree tree;
};

TEST_F(FolderTreeTest, MissingLastLevelShowsTheExistingPartAndKeepsTheStoredPath) {
    ASSERT_TRUE(tree.fillFromPath("C:\\Program Files\\NewGame"));
    const std::vector<Shown> expected = {
        {"C:\\", true, 0},          {"Program Files\\", true, 1}, {"alpha", false, 2},
        {"common Files", false, 2}, {"Games", false, 2},          {"Zeta", false, 2},
    };
    EXPECT_EQ(shown(tree), expected);
    EXPECT_EQ(tree.currentPath(), "C:\\Program Files\\");
    EXPECT_EQ(tree.storedPath(), "C:\\Program Files\\NewGame");
}

TEST_F(FolderTreeTest, LevelsKeepTheLettersAndCaseOfTheGivenPath) {
    ASSERT_TRUE(tree.fillFromPath("c:\\program files\\"));
    ASSERT_EQ(tree.items().size(), 6u);
    EXPECT_EQ(tree.items()[0].name, "c:\\");
    EXPECT_EQ(tree.items()[1].name, "program files\\");
    EXPECT_EQ(tree.items()[3].name, "common Files") << "subfolders keep the names on the disk";
    EXPECT_EQ(tree.currentPath(), "c:\\program files\\");
}

TEST_F(FolderTreeTest, FilesAndDotFoldersAreLeftOut) {
    ASSERT_TRUE(tree.fillFromPath("C:\\Program Files\\"));
    for (const FolderItem& item : tree.items()) {
        EXPECT_NE(item.name, "readme.txt");
        EXPECT_NE(item.name, ".config");
        EXPECT_NE(item.name, ".");
        EXPECT_NE(item.name, "..");
    }
    EXPECT_EQ(tree.items().size(), 6u);
}

TEST_F(FolderTreeTest, AddPathLevelsCutsThePathToTheExistingPart) {
    std::string path = "C:\\Program Files\\NewGame\\Data\\";
    EXPECT_EQ(tree.addPathLevels(path), 2);
    EXPECT_EQ(path, "C:\\Program Files\\");
    // Text after the last backslash is never probed.
    path = "C:\\Windows";
    EXPECT_EQ(tree.addPathLevels(path), 1);
    EXPECT_EQ(path, "C:\\");
}

TEST_F(FolderTreeTest, DriveWithoutMediumFailsAndLeavesAnEmptyList) {
    EXPECT_FALSE(tree.fillFromPath("e:\\"));
    EXPECT_TRUE(tree.items().empty());
    EXPECT_EQ(tree.currentPath(), "\\");
    EXPECT_EQ(tree.selectedPath(-1), "");
    EXPECT_EQ(tree.selectedPath(0), "");
    EXPECT_EQ(tree.storedPath(), "e:\\");
    EXPECT_FALSE(tree.fillFromPath("q:\\Games")); // a letter the table lacks
}

TEST_F(FolderTreeTest, SelectedPathOfLevelsAndSubfolders) {
    ASSERT_TRUE(tree.fillFromPath("C:\\Program Files\\"));
    const struct {
        int selection;
        const char* path;
    } cases[] = {
        {-1, ""},
        {0, "C:\\"},
        {1, "C:\\Program Files\\"},
        {4, "C:\\Program Files\\Games\\"},
        {2, "C:\\Program Files\\alpha\\"},
        {99, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tree.selectedPath(c.selection), c.path) << c.selection;
}

} // namespace
