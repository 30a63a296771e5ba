#include "platform/Drives.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "support/DriveTableFile.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST_F(PathsTest, dotDotStopsAtTheDriveRoot) {
    const auto saved = std::filesystem::current_path();
    std::filesystem::current_path(folder / "Games");
    const struct {
        const char* path;
        std::string native;
    } cases[] = {
        {"C:\\..\\escaped", (folder / "escaped").string()},
        {"c:\\Games\\..\\..\\..\\Games\\Demo", (folder / "Games/Demo").string()},
        {"\\..\\..\\x", (folder / "x").string()},
        {"..\\..\\..\\..\\x", (folder / "x").string()},
        {"D:\\..\\..\\", (folder / "cd").string() + "/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::toNativePath(c.path), c.native) << c.path;
    std::filesystem::current_path(saved);
}

TEST_F(PathsTest, nativePathsPassOnlyWhole) {
    EXPECT_EQ(platform::toNativePath("/usr/share"), "/usr/share");
    EXPECT_EQ(platform::toNativePath("/usr/share\\Tervalis\\x.desktop"), "");
    EXPECT_EQ(platform::toDrivePath("relative/name"), "");
    EXPECT_EQ(platform::toDrivePath((folder / "a\\b").string()), "") << "names another folder";
    EXPECT_EQ(platform::toDrivePath((folder / "Games/./Demo/../Demo").string()), "C:\\Games\\Demo");
}

TEST_F(PathsTest, nameThatIsNotUtf8IsMatchedAsTheSystemShowsIt) {
    setenv("LANG", "en_US.UTF-8", 1);
    std::filesystem::create_directories(folder / "Games/caf\xe9");
    std::filesystem::create_directories(folder / "Games/a\\b");
    EXPECT_EQ(platform::toNativePath("C:\\Games\\CAF\xc3\xa9\\x"), (folder / "Games/caf\xe9/x").string());
    std::vector<platform::FoundFile> found;
    ASSERT_TRUE(platform::findFiles("C:\\Games\\*", found));
    std::vector<std::string> names;
    for (const auto& file : found)
        names.push_back(file.name);
    EXPECT_NE(std::find(names.begin(), names.end(), "caf\xc3\xa9"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "a\\b"), names.end()) << "names no folder";
    // With a folder truly named so beside it, the decoded name would open that one: left out.
    std::filesystem::create_directories(folder / "Games/caf\xc3\xa9");
    ASSERT_TRUE(platform::findFiles("C:\\Games\\caf*", found));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(platform::toNativePath("C:\\Games\\" + found[0].name), (folder / "Games/caf\xc3\xa9").string());
    unsetenv("LANG");
}

// Folders that the platform must answer but that no drive holds get drives of their own.
class UncoveredPathsTest : public testing::Test {
protected:
    TempFolder folder;
    DriveTableFile table{folder, "c:|fixed|" + (folder / "home").string() + "\nd:|cdrom|" +
                                     (folder / "cd").string() + "\n"};
};

TEST_F(UncoveredPathsTest, foldersOutsideEveryDriveGetDrivesOfTheirOwn) {
    std::filesystem::create_directories(folder / "apps");
    std::filesystem::create_directories(folder / "bin");
    folder.write("bin/setup", "x");
    EXPECT_EQ(platform::toDrivePath((folder / "apps").string()), "Y:\\");
    EXPECT_EQ(platform::toDrivePath((folder / "apps/Tervalis").string()), "Y:\\Tervalis");
    EXPECT_EQ(platform::toDrivePath((folder / "bin/setup").string()), "X:\\setup");
    EXPECT_EQ(platform::toNativePath("y:\\Tervalis\\a.desktop"), (folder / "apps/Tervalis/a.desktop").string());
    EXPECT_EQ(platform::toNativePath("X:\\install.ini"), (folder / "bin/install.ini").string());
    EXPECT_EQ(platform::driveType("y:\\"), platform::DriveType::Fixed);

    setenv("WINDIR", (folder / "win").c_str(), 1);
    const std::string windows = platform::environmentValue("WINDIR");
    unsetenv("WINDIR");
    EXPECT_EQ(windows.substr(1), ":\\win") << "a drive for the folder it will be made in";
    EXPECT_EQ(platform::toNativePath(windows + "\\TL"), (folder / "win/TL").string());
}

} // namespace
