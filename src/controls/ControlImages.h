#pragma once
// The images of the drive selector and the folder list, drawn for this program and carried in
// it. Loaded once on first use and shared by every control until the process ends.
#include <wx/bitmap.h>

enum class ControlImage {
    DriveFloppy,
    DriveHardDisk,
    DriveNetwork,
    DriveCdRom,
    DriveRamDisk,
    DriveRemovable,
    DriveCompressed,
    Question,
    FolderOpen,
    FolderClosed,
    FocusPattern, // 8 x 8, black and cyan checkerboard
};

// Loads every image whose slot is still empty.
void loadControlImages();
const wxBitmap& controlImage(ControlImage image);
// The icon of a DriveKind; the question mark for a value that is none.
const wxBitmap& driveKindIcon(int kind);
