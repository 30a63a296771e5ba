#pragma once
// The POSIX backend's drives: a table of letters and the native folders they stand for, like a
// "dosdevices" folder.
#include "platform/Drives.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

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
// otherwise the Wine prefix's drives when the installer works on one (WinePrefix.h), otherwise
// made from the machine: c: the home folder, mounted optical media from d:, z: the root.
const std::vector<DriveEntry>& driveTable();

// The drives of the table file SETUP_DRIVE_TABLE names, when it names one: the machine a user or
// a test presents, read without deciding anything else about the run.
std::optional<std::vector<DriveEntry>> givenDriveTable();

// Forgets the table so that the next use reads it again (tests change SETUP_DRIVE_TABLE).
void reloadDriveTable();

} // namespace platform
