#pragma once
// Windows programs on this system: a medium's programs are often built for Windows, and Wine,
// when installed, can start them.
#include <string>

namespace platform::posix {

// Whether the native file is a Windows program: an "MZ" header whose new-header offset (at
// 0x3C) points at the "PE\0\0" signature. The name does not matter.
bool isWindowsProgram(const std::string& nativePath);

// The native path of "wine" in a folder of PATH, or the empty text when there is none.
std::string wineProgram();

} // namespace platform::posix
