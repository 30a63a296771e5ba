#include "platform/Environment.h"

#include "platform/Paths.h"
#include "platform/posix/wine/WinePrefix.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace platform {

std::string environmentValue(const char* name) {
    // In a Wine prefix the Windows folder is the prefix's own, where its programs look.
    if (std::strcmp(name, "WINDIR") == 0 && !posix::winePrefix().empty())
        return "C:\\windows";
    const char* value = std::getenv(name);
    if (!value)
        return "";
    // The Windows folder may be given natively here; above this layer it is a drive path.
    if (std::strcmp(name, "WINDIR") == 0 && value[0] == '/')
        return toDrivePath(value);
    return value;
}

bool hasEnvironmentValue(const char* name) {
    if (std::strcmp(name, "WINDIR") == 0 && !posix::winePrefix().empty())
        return true;
    return std::getenv(name) != nullptr;
}

unsigned long processId() {
    return static_cast<unsigned long>(getpid());
}

} // namespace platform
