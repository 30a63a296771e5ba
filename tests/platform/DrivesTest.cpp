#include "platform/posix/machine/DriveTable.h"
#include "support/DriveTableFile.h"

#include <gtest/gtest.h>

namespace {

TEST(Drives, tableStatesTypesLabelsAndFlags) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "c");
    std::filesystem::create_directories(folder / "d");
    DriveTableFile table(folder, "# test drives\n"
                                 "d:|cdrom|" +
                                     (folder / "d").string() +
                                     "|DEMO CD\n"
                                     "C:|fixed|" +
                                     (folder / "c").string() +
                                     "|System||\n"
                                     "e:|removable|" +
                                     (folder / "no-medium").string() +
                                     "\n"
                                     "f:|ramdisk|" +
                                     (folder / "c").string() + "||compressed\n");
    EXPECT_EQ(platform::driveType("c:\\"), platform::DriveType::Fixed);
    EXPECT_EQ(platform::driveType("D:\\"), platform::DriveType::CdRom);
    EXPECT_EQ(platform::driveType("e:\\"), platform::DriveType::Removable);
    EXPECT_EQ(platform::driveType("f:\\"), platform::DriveType::RamDisk);
    EXPECT_EQ(platform::driveType("g:\\"), platform::DriveType::NoRootDir);

    platform::VolumeInformation volume;
    ASSERT_TRUE(platform::volumeInformation("d:\\", volume));
    EXPECT_EQ(volume.label, "DEMO CD");
    EXPECT_EQ(volume.fileSystemFlags, 0u);
    EXPECT_FALSE(platform::volumeInformation("e:\\", volume)) << "a drive without a medium";
    ASSERT_TRUE(platform::volumeInformation("f:\\", volume));
    EXPECT_EQ(volume.label, "");
    EXPECT_EQ(volume.fileSystemFlags, platform::kCompressedVolumeFlag);

    const auto& drives = platform::driveTable();
    ASSERT_EQ(drives.size(), 4u);
    EXPECT_EQ(drives.front().letter, 'c') << "letters in order";
}

TEST(Drives, machineTableHasHomeAndRoot) {
    unsetenv("SETUP_DRIVE_TABLE");
    platform::reloadDriveTable();
    const auto& drives = platform::driveTable();
    ASSERT_GE(drives.size(), 2u);
    EXPECT_EQ(drives.front().letter, 'c');
    EXPECT_EQ(drives.back().letter, 'z');
    EXPECT_EQ(drives.back().folder, "/");
    EXPECT_NE(platform::driveType("z:\\"), platform::DriveType::NoRootDir);
}

} // namespace
