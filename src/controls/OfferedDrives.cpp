#include "controls/OfferedDrives.h"

#include "platform/AsciiCase.h"

#include <cctype>

int driveKindOf(platform::DriveType type, char letter) {
    const int value = static_cast<int>(type);
    if (value < static_cast<int>(platform::DriveType::Removable) ||
        value > static_cast<int>(platform::DriveType::RamDisk))
        return 0;
    const int kind = value - 1;
    if (kind == kDriveFloppy && std::tolower(static_cast<unsigned char>(letter)) > 'b')
        return kDriveRemovable;
    return kind;
}

bool isOfferedKind(int kind) {
    return kind != 0 && kind != kDriveFloppy && kind != kDriveCdRom;
}

static bool describeDrive(char letter, OfferedDrive& drive) {
    const std::string root = std::string(1, letter) + ":\\";
    drive.kind = driveKindOf(platform::driveType(root), letter);
    if (!isOfferedKind(drive.kind))
        return false;
    drive.text = root;
    platform::VolumeInformation volume;
    if (platform::volumeInformation(root, volume)) {
        drive.text += " " + volume.label;
        if (volume.fileSystemFlags & platform::kCompressedVolumeFlag)
            drive.kind = kDriveCompressed;
    }
    drive.text = platform::asciiLower(drive.text);
    return true;
}

std::vector<OfferedDrive> listOfferedDrives() {
    std::vector<OfferedDrive> drives;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        OfferedDrive drive;
        if (describeDrive(letter, drive))
            drives.push_back(drive);
    }
    return drives;
}

std::string driveRootPrefix(const std::string& text) {
    const auto slash = text.find('\\');
    return slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
}
