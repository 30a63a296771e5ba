#include "paths/FolderPath.h"
#include "SoundFixtures.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

TEST(FolderPathTest, CreatesEveryLevelOutermostFirst) {
    TempFolder temp;
    EXPECT_TRUE(createFolderPath(drivePath(temp.path()) + "\\Games\\Demo\\sounds"));
    EXPECT_TRUE(fs::is_directory(temp / "Games/Demo/sounds"));
}

TEST(FolderPathTest, PassesOverLevelsThatExist) {
    TempFolder temp;
    temp.write("Games/keep.txt", "kept");
    EXPECT_TRUE(createFolderPath(drivePath(temp.path()) + "\\Games\\Demo"));
    EXPECT_TRUE(createFolderPath(drivePath(temp.path()) + "\\Games\\Demo"));
    EXPECT_TRUE(createFolderPath(drivePath(temp.path()) + "\\Games\\"));
    EXPECT_EQ(readWholeFile(temp / "Games/keep.txt"), "kept");
    EXPECT_TRUE(fs::is_directory(temp / "Games/Demo"));
}

TEST(FolderPathTest, RefusesEmptyAndOverlongPaths) {
    TempFolder temp;
    const std::string base = drivePath(temp.path()) + "\\";
    EXPECT_FALSE(createFolderPath(""));
    const std::string longest = base + std::string(kFolderPathLimit - base.size(), 'a');
    EXPECT_TRUE(createFolderPath(longest));
    EXPECT_FALSE(createFolderPath(base + std::string(kFolderPathLimit + 1 - base.size(), 'b')));
    EXPECT_FALSE(fs::exists(temp / std::string(kFolderPathLimit + 1 - base.size(), 'b')));
}

TEST(FolderPathTest, LimitCountsCharactersNotBytes) {
    TempFolder temp;
    const std::string base = drivePath(temp.path()) + "\\";
    // Levels of two-byte letters: more bytes than the limit, fewer characters.
    std::string path = base;
    const std::string level = "\xc5\xbc\xc3\xb3\xc5\x82w";
    while (path.size() + level.size() + 1 <= kFolderPathLimit + 100)
        path += (path == base ? "" : "\\") + level + level + level;
    ASSERT_GT(path.size(), kFolderPathLimit);
    EXPECT_TRUE(createFolderPath(path));
    const std::string overlong = base + std::string(kFolderPathLimit - base.size(), 'a') + "\xc5\xbc";
    EXPECT_FALSE(createFolderPath(overlong));
}

TEST(FolderPathTest, FailsWhenAFileBlocksALevel) {
    TempFolder temp;
    temp.write("Games", "a file, not a folder");
    EXPECT_FALSE(createFolderPath(drivePath(temp.path()) + "\\Games\\Demo"));
    // The last level too: "there already" is success only for a folder.
    EXPECT_FALSE(createFolderPath(drivePath(temp.path()) + "\\Games"));
}

// Windows says a device name exists as it refuses to make a folder of it; success must mean
// that the folder is there, on every system.
TEST(FolderPathTest, SucceedsOnlyWhenTheFolderIsThere) {
    TempFolder temp;
    for (const char* name : {"NUL", "con", "Aux.txt"}) {
        const bool made = createFolderPath(drivePath(temp.path()) + "\\" + name);
        EXPECT_EQ(made, fs::is_directory(temp / name)) << name;
    }
}

TEST(FolderPathTest, DriveRootAloneSucceeds) {
    TempFolder temp;
    const std::string drive = drivePath(temp.path()).substr(0, 2);
    EXPECT_TRUE(createFolderPath(drive));
    EXPECT_TRUE(createFolderPath(drive + "\\"));
}

} // namespace
