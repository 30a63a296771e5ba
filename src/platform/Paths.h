#pragma once
// Paths above the platform layer are Windows paths ("C:\Games\Demo", "data\levels\"); the backend
// translates them at this boundary.
#include <string>

namespace platform {

// The native path that a drive path or a path relative to the current folder names. Components
// that do not exist as written are matched without regard to letter case; new ones keep their
// spelling; ".." stops at the drive's root. An unknown drive letter gives an empty text.
std::string toNativePath(const std::string& windowsPath);

// The drive path of a native absolute path, through the drive with the longest matching root;
// empty when no drive path can name it.
std::string toDrivePath(const std::string& nativePath);

// The running program's full path as a drive path (what GetModuleFileName reports).
std::string ownProgramPath();

// Makes ownProgramPath answer the given drive path: for tools and tests that act for a setup
// program in another folder. A native path is answered through its drive path.
void overrideOwnProgramPath(const std::string& drivePath);

} // namespace platform
