#include "platform/Paths.h"
#include "support/DriveTableFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class PathsTest : public testing::Test {
protected:
    void SetUp() override {
        folder.write("Games/Demo/Data/Intro.BMP", "x");
        std::filesystem::create_directories(folder / "cd");
    }
    TempFolder folder;
    DriveTableFile table{folder, "c:|fixed|" + folder.path().string() + "\nd:|cdrom|" +
                                     (folder / "cd").string() + "|DEMO\nz:|fixed|/\n"};
};

TEST_F(PathsTest, drivePathMapsToTheDriveFolder) {
    EXPECT_EQ(platform::toNativePath("C:\\Games\\Demo"), (folder / "Games/Demo").string());
    EXPECT_EQ(platform::toNativePath("d:\\"), (folder / "cd").string() + "/");
    EXPECT_EQ(platform::toNativePath("q:\\nothing"), "");
}

TEST_F(PathsTest, componentsMatchWithoutRegardToCase) {
    EXPECT_EQ(platform::toNativePath("c:\\GAMES\\demo\\data\\intro.bmp"),
              (folder / "Games/Demo/Data/Intro.BMP").string());
    // A new name keeps its spelling inside the folders so matched.
    EXPECT_EQ(platform::toNativePath("C:\\games\\DEMO\\Sounds\\New.wav"),
              (folder / "Games/Demo/Sounds/New.wav").string());
}

TEST_F(PathsTest, relativePathsResolveAgainstTheCurrentFolder) {
    const auto saved = std::filesystem::current_path();
    std::filesystem::current_path(folder / "Games");
    EXPECT_EQ(platform::toNativePath("demo\\DATA\\intro.bmp"),
              (folder / "Games/Demo/Data/Intro.BMP").string());
    EXPECT_EQ(platform::toNativePath("..\\cd"), (folder / "cd").string());
    std::filesystem::current_path(saved);
}

TEST_F(PathsTest, nativePathsMapToTheLongestDriveRoot) {
    EXPECT_EQ(platform::toDrivePath((folder / "Games/Demo").string()), "C:\\Games\\Demo");
    EXPECT_EQ(platform::toDrivePath((folder / "cd/setup").string()), "D:\\setup");
    EXPECT_EQ(platform::toDrivePath("/etc/hostname"), "Z:\\etc\\hostname");
    EXPECT_EQ(platform::toDrivePath(folder.path().string()), "C:\\");
}

TEST_F(PathsTest, ownProgramPathIsADrivePath) {
    const std::string own = platform::ownProgramPath();
    ASSERT_GE(own.size(), 3u);
    EXPECT_EQ(own.substr(1, 2), ":\\");
    EXPECT_EQ(platform::toNativePath(own),
              std::filesystem::read_symlink("/proc/self/exe").string());
}

} // namespace
