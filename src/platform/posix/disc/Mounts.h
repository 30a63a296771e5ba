#pragma once
// The system's mount table, as the drives and the medium read it.
#include <optional>
#include <string>
#include <vector>

namespace platform::posix {

struct Mount {
    std::string device;
    std::string folder;
    std::string type;
};

// The mounts in the order the system lists them.
std::vector<Mount> readMounts();

// The innermost mount that holds the native folder.
std::optional<Mount> mountHolding(const std::string& folder);

// Whether a file system type is that of an optical disc (ISO 9660, UDF, or an image of one
// mounted through fuseiso).
bool isOptical(const std::string& type);

// The label that /dev/disk/by-label gives the device ("\x20" escapes decoded); empty when none.
std::string labelOfDevice(const std::string& device);

} // namespace platform::posix
