#pragma once
// Helpers shared by the POSIX backend's files.
#include <string>

namespace platform::posix {

bool isSeparator(char c);
// Lower-cases ASCII letters only; other bytes (UTF-8 sequences included) stay.
std::string asciiLower(const std::string& text);
bool equalsIgnoringCase(const std::string& a, const std::string& b);
// The folder that holds the native path (without the last component).
std::string nativeParent(const std::string& nativePath);

} // namespace platform::posix
