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
// Whether two native paths name the same existing file or folder once links are resolved.
bool sameResolvedPath(const std::string& a, const std::string& b);
// Eight hexadecimal digits that stand for the text (FNV-1a): a name of our own made from a path
// is the same every time for the same path, and differs for another.
std::string hashTag(const std::string& text);

} // namespace platform::posix
