#pragma once
// Helpers shared by the POSIX backend's files.
#include "platform/AsciiCase.h"

#include <string>

namespace platform::posix {

bool isSeparator(char c);
using platform::asciiLower;
using platform::equalsIgnoringCase;
// The folder that holds the native path (without the last component).
std::string nativeParent(const std::string& nativePath);

} // namespace platform::posix
