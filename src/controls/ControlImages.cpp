#include "controls/ControlImages.h"

#include "controls/DriveKind.h"

#include "icons/drive_cd.xpm"
#include "icons/drive_compressed.xpm"
#include "icons/drive_floppy.xpm"
#include "icons/drive_hard_disk.xpm"
#include "icons/drive_network.xpm"
#include "icons/drive_ram.xpm"
#include "icons/drive_removable.xpm"
#include "icons/focus_pattern.xpm"
#include "icons/folder_closed.xpm"
#include "icons/folder_open.xpm"
#include "icons/question.xpm"

#include <array>

namespace {

constexpr std::size_t kImageCount = static_cast<std::size_t>(ControlImage::FocusPattern) + 1;

// In the order of ControlImage.
const char* const* const imageSources[kImageCount] = {
    drive_floppy_xpm, drive_hard_disk_xpm, drive_network_xpm,    drive_cd_xpm,
    drive_ram_xpm,    drive_removable_xpm, drive_compressed_xpm, question_xpm,
    folder_open_xpm,  folder_closed_xpm,   focus_pattern_xpm,
};

// Never released: the slots outlive every control, as the images are shared.
std::array<wxBitmap, kImageCount>& imageSlots() {
    static auto* slots = new std::array<wxBitmap, kImageCount>;
    return *slots;
}

} // namespace

void loadControlImages() {
    auto& slots = imageSlots();
    for (std::size_t i = 0; i < kImageCount; ++i)
        if (!slots[i].IsOk())
            slots[i] = wxBitmap(imageSources[i]);
}

const wxBitmap& controlImage(ControlImage image) {
    loadControlImages();
    return imageSlots()[static_cast<std::size_t>(image)];
}

const wxBitmap& driveKindIcon(int kind) {
    switch (kind) {
    case kDriveFloppy:
        return controlImage(ControlImage::DriveFloppy);
    case kDriveHardDisk:
        return controlImage(ControlImage::DriveHardDisk);
    case kDriveNetwork:
        return controlImage(ControlImage::DriveNetwork);
    case kDriveCdRom:
        return controlImage(ControlImage::DriveCdRom);
    case kDriveRamDisk:
        return controlImage(ControlImage::DriveRamDisk);
    case kDriveRemovable:
        return controlImage(ControlImage::DriveRemovable);
    case kDriveCompressed:
        return controlImage(ControlImage::DriveCompressed);
    default:
        return controlImage(ControlImage::Question);
    }
}
