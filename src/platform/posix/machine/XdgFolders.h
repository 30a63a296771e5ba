#pragma once
#include <string>

namespace platform::posix {

// The user's home folder: HOME when it is an absolute path, else the user database's; empty when
// neither names one.
std::string homeFolder();

// A freedesktop base folder: the variable's value when it is an absolute path, otherwise the
// fallback under the user's home folder ("$HOME/.config"). Empty when there is no home folder.
std::string xdgBaseFolder(const char* variable, const char* fallbackUnderHome);

} // namespace platform::posix
