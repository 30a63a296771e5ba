#pragma once
#include <string>

// The smallest file with a Windows program's headers: "MZ", the offset at 0x3C, "PE\0\0".
inline std::string windowsProgramBytes() {
    std::string bytes(0x80, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = 0x40;
    bytes.replace(0x40, 4, std::string("PE\0\0", 4));
    return bytes;
}
