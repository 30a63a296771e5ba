// Drives, paths and processes on Windows: the system's own answers come through unchanged.
#include "platform/Drives.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Environment.h"
#include "platform/ErrorMode.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// A letter that names no drive on this machine.
char missingLetter() {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter)
        if (!((drives >> (letter - 'A')) & 1u))
            return letter;
    return 0;
}

TEST(DrivesWindows, TypesAndVolumesAreTheSystemsAndMissingDrivesHaveNoRoot) {
    EXPECT_EQ(platform::driveType("C:\\"), platform::DriveType::Fixed);
    EXPECT_EQ(platform::driveType("c:"), platform::DriveType::Fixed);
    platform::VolumeInformation volume;
    ASSERT_TRUE(platform::volumeInformation("c:\\", volume));
    DWORD flags = 0;
    ASSERT_TRUE(GetVolumeInformationW(L"C:\\", nullptr, 0, nullptr, nullptr, &flags, nullptr, 0));
    EXPECT_EQ(volume.fileSystemFlags, flags);

    const char letter = missingLetter();
    ASSERT_NE(letter, 0);
    const std::string root = std::string(1, letter) + ":\\";
    EXPECT_EQ(platform::driveType(root), platform::DriveType::NoRootDir);
    EXPECT_FALSE(platform::volumeInformation(root, volume));
    EXPECT_EQ(platform::driveType(""), platform::DriveType::NoRootDir);
    EXPECT_EQ(platform::driveType("1:\\"), platform::DriveType::NoRootDir);
    EXPECT_EQ(platform::makeFolder(root + "x"), platform::MakeFolderResult::Failed);
}

TEST(PathsWindows, DrivePathsAreTheSystemsPathsAndTheProgramKnowsItsOwn) {
    EXPECT_EQ(platform::toNativePath("C:\\Games\\Demo"), "C:\\Games\\Demo");
    EXPECT_EQ(platform::toDrivePath("C:/Games/Demo/"), "C:\\Games\\Demo\\");
    const std::string own = platform::ownProgramPath();
    EXPECT_TRUE(platform::fileExists(own)) << own;
    EXPECT_EQ(own.substr(own.size() - 4), ".exe");
    platform::overrideOwnProgramPath("D:\\setup.exe");
    EXPECT_EQ(platform::ownProgramPath(), "D:\\setup.exe");
    platform::overrideOwnProgramPath("");
    EXPECT_EQ(platform::ownProgramPath(), own);
}

TEST(ProcessWindows, WaitsForTheExitCodeAndTellsAProgramThatCannotStart) {
    const std::string shell = platform::environmentValue("WINDIR") + "\\system32\\cmd.exe";
    // The command line is the words joined by blanks, as the C run-time's spawn forms it.
    EXPECT_EQ(platform::spawnAndWait(shell, {"cmd.exe", "/c", "exit", "7"}), 7);
    EXPECT_EQ(platform::spawnAndWait(shell + "-missing", {"x"}), -1);
    EXPECT_FALSE(platform::spawnDetached(shell + "-missing", {"x"}));
    EXPECT_FALSE(platform::openWithDefaultProgram("missing.txt", "C:\\"));
}

// The two flags are added to what the process inherited from its starter, never put in its place.
TEST(ErrorModeWindows, AddsItsFlagsToTheInheritedMode) {
    const UINT before = SetErrorMode(SEM_NOGPFAULTERRORBOX);
    platform::suppressSystemErrorBoxes();
    EXPECT_EQ(GetErrorMode(), SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    SetErrorMode(before);
}

} // namespace
