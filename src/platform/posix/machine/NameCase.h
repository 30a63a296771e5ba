#pragma once
// File names as Windows compares them: without regard to letter case for every letter, not only
// ASCII ("żółw.dat" names "ŻÓŁW.DAT"), by the simple one-to-one upper-case mapping its file
// systems use ("ß" stays "ß").
#include <string>

namespace platform::posix {

// The name with each letter in its upper case: two names are the same name when their keys are
// equal. Bytes that are not UTF-8 are kept as they are.
std::string windowsNameKey(const std::string& name);

bool sameWindowsName(const std::string& a, const std::string& b);

} // namespace platform::posix
