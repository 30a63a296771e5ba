#include "platform/Files.h"
#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform {

bool freeDiskSpace(const std::string& folder, std::uint64_t& bytes) {
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExW(win32::widePath(folder).c_str(), &available, nullptr, nullptr))
        return false;
    // What the current user may still write, quotas included.
    bytes = available.QuadPart;
    return true;
}

} // namespace platform
