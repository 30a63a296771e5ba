#pragma once
#include <string>

namespace platform {

// Makes ownProgramPath answer the given path: for tools and tests that act for a setup program
// in another folder. An empty path gives the real one back.
void overrideOwnProgramPath(const std::string& drivePath);

} // namespace platform
