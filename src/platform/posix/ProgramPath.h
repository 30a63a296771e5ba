#pragma once
#include <string>

namespace platform {

// Makes ownProgramPath answer the given drive path: for tools and tests that act for a setup
// program in another folder. A native path is answered through its drive path; an empty path
// gives the real one back.
void overrideOwnProgramPath(const std::string& drivePath);

} // namespace platform
