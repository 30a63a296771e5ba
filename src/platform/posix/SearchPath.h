#pragma once
#include <string>

namespace platform::posix {

// The native path of an executable program of that name in a folder of PATH, as the shell finds
// it; empty when there is none.
std::string programOnPath(const std::string& name);

} // namespace platform::posix
