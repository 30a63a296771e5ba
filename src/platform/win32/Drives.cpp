#include "platform/Drives.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform {
namespace {

// "x:\" for a root given as "x", "x:" or "x:\..."; empty when it names no drive letter.
std::wstring rootOf(const std::string& root) {
    if (root.empty())
        return {};
    const char letter = root[0];
    const bool isLetter = (letter >= 'a' && letter <= 'z') || (letter >= 'A' && letter <= 'Z');
    if (!isLetter || (root.size() > 1 && root[1] != ':'))
        return {};
    return std::wstring{static_cast<wchar_t>(letter), L':', L'\\'};
}

bool driveExists(const std::wstring& root) {
    const wchar_t letter = root[0] >= L'a' ? static_cast<wchar_t>(root[0] - L'a' + L'A') : root[0];
    return (GetLogicalDrives() >> (letter - L'A')) & 1u;
}

} // namespace

DriveType driveType(const std::string& root) {
    const std::wstring wideRoot = rootOf(root);
    if (wideRoot.empty() || !driveExists(wideRoot))
        return DriveType::NoRootDir;
    const UINT type = GetDriveTypeW(wideRoot.c_str());
    return type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::Unknown;
}

bool volumeInformation(const std::string& root, VolumeInformation& information) {
    const std::wstring wideRoot = rootOf(root);
    if (wideRoot.empty())
        return false;
    wchar_t label[MAX_PATH + 1] = {};
    DWORD flags = 0;
    if (!GetVolumeInformationW(wideRoot.c_str(), label, MAX_PATH + 1, nullptr, nullptr, &flags,
                               nullptr, 0))
        return false;
    information.label = win32::narrow(label, wcsnlen(label, MAX_PATH + 1));
    information.fileSystemFlags = flags;
    return true;
}

} // namespace platform
