#pragma once
#include <string>

namespace platform::posix {

// The native path of the running program's file, as the kernel names it; empty when unknown.
std::string ownExecutable();

} // namespace platform::posix
