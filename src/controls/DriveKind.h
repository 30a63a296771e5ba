#pragma once

// What the drive selector shows a drive as; the item data of each of its items.
enum DriveKind : int {
    kDriveFloppy = 1,
    kDriveHardDisk = 2,
    kDriveNetwork = 3,
    kDriveCdRom = 4,
    kDriveRamDisk = 5,
    kDriveRemovable = 6,
    kDriveCompressed = 7,
};
