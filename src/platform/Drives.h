#pragma once
#include <cstdint>
#include <string>

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

// Type of the drive whose root ("x:\") is given; NoRootDir for a letter without a drive.
DriveType driveType(const std::string& root);

// Label and flags of the volume in the drive; false when the drive holds no readable medium.
bool volumeInformation(const std::string& root, VolumeInformation& information);

} // namespace platform
