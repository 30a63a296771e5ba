#pragma once
// The drives that a product can be installed on, as the drive selector lists them.
#include "controls/DriveKind.h"
#include "platform/Drives.h"

#include <string>
#include <vector>

struct OfferedDrive {
    std::string text; // "c:\ system": root and label, lower-cased
    int kind = 0;     // a DriveKind
};

// The kind of a drive by its type and letter; 0 for the types that name no drive.
int driveKindOf(platform::DriveType type, char letter);

// Whether a drive of that kind is offered: floppies and CD-ROM drives never are.
bool isOfferedKind(int kind);

// One entry per offered drive, a to z in letter order.
std::vector<OfferedDrive> listOfferedDrives();

// The text up to and including the first backslash ("d:\" of "d:\ data"); empty without one.
std::string driveRootPrefix(const std::string& text);
