#include "platform/Files.h"
#include "platform/Paths.h"

#include <sys/statvfs.h>

namespace platform {

bool freeDiskSpace(const std::string& folder, std::uint64_t& bytes) {
    const std::string native = toNativePath(folder);
    struct statvfs info;
    if (native.empty() || statvfs(native.c_str(), &info) != 0)
        return false;
    // What an unprivileged writer may still use, as the system's free-space call reports it.
    bytes = static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
    return true;
}

} // namespace platform
