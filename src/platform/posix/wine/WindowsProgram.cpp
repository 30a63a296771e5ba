#include "platform/posix/wine/WindowsProgram.h"

#include "platform/posix/BoundedRead.h"
#include "platform/posix/SearchPath.h"

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace platform::posix {
namespace {

bool readAt(int descriptor, void* into, std::size_t size, off_t offset) {
    return pread(descriptor, into, size, offset) == static_cast<ssize_t>(size);
}

} // namespace

bool isWindowsProgram(const std::string& nativePath) {
    // Only a regular file is looked into: a pipe in a program's place would keep the question
    // box waiting for its first bytes.
    const int descriptor = openRegular(nativePath, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    unsigned char header[0x40] = {};
    char signature[4] = {};
    bool windows = readAt(descriptor, header, sizeof header, 0) && header[0] == 'M' &&
                   header[1] == 'Z';
    if (windows) {
        const std::uint32_t offset = header[0x3C] | (header[0x3D] << 8) | (header[0x3E] << 16) |
                                     (static_cast<std::uint32_t>(header[0x3F]) << 24);
        windows = readAt(descriptor, signature, sizeof signature, static_cast<off_t>(offset)) &&
                  std::string(signature, sizeof signature) == std::string("PE\0\0", 4);
    }
    close(descriptor);
    return windows;
}

std::string wineProgram() {
    return programOnPath("wine");
}

} // namespace platform::posix
