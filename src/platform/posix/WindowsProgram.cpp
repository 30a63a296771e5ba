#include "platform/posix/WindowsProgram.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace platform::posix {

bool isWindowsProgram(const std::string& nativePath) {
    std::ifstream file(nativePath, std::ios::binary);
    unsigned char header[0x40] = {};
    if (!file.read(reinterpret_cast<char*>(header), sizeof header) || header[0] != 'M' ||
        header[1] != 'Z')
        return false;
    const std::uint32_t offset = header[0x3C] | (header[0x3D] << 8) | (header[0x3E] << 16) |
                                 (static_cast<std::uint32_t>(header[0x3F]) << 24);
    char signature[4] = {};
    return file.seekg(offset) && file.read(signature, sizeof signature) &&
           std::string(signature, sizeof signature) == std::string("PE\0\0", 4);
}

std::string wineProgram() {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        // An empty entry is the current folder, as the shell reads PATH.
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/wine";
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

} // namespace platform::posix
