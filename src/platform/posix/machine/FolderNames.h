#pragma once
// Finding a folder's entry by a name written in another letter case. A folder of many entries
// is read once and then kept up to date through the kernel's notices of names made, removed and
// moved in it, so that filling a folder with thousands of files does not read it again after
// every file.
#include <string>

namespace platform::posix {

// The entry of the native folder whose name equals name without regard to (ASCII) letter case,
// the first one the folder lists when there are several; empty when there is none or the folder
// cannot be read.
std::string entryIgnoringCase(const std::string& folder, const std::string& name);

} // namespace platform::posix
