#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The drive types, numbered as the system reports them.
enum class DriveType : int {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

constexpr std::uint32_t kCompressedVolumeFlag = 0x8000;

struct VolumeInformation {
    std::string label;
    std::uint32_t fileSystemFlags = 0;
};

// Type of the drive whose root ("x:\") is given; NoRootDir for a letter the table lacks.
DriveType driveType(const std::string& root);

// Label and flags of the volume in the drive; false when the drive holds no readable medium.
bool volumeInformation(const std::string& root, VolumeInformation& information);

// One drive of the table: letter, native folder, and (when the table says so) type and label.
struct DriveEntry {
    char letter = 0;
    std::string folder;
    DriveType type = DriveType::Unknown;
    std::string label;
    bool labelGiven = false;
    bool compressed = false;
};

// The drive table in letter order. Read from the file named by SETUP_DRIVE_TABLE when set,
// otherwise made from the machine: c: the home folder, mounted optical media from d:, z: the root.
const std::vector<DriveEntry>& driveTable();

// Forgets the table so that the next use reads it again (tests change SETUP_DRIVE_TABLE).
void reloadDriveTable();

} // namespace platform
