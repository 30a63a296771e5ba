#pragma once
// Paths above the platform layer are Windows paths ("C:\Games\Demo", "data\levels\"); the backend
// translates them at this boundary.
#include <string>

namespace platform {

// The path that other libraries (the toolkit, the C run-time) take for a drive path or a path
// relative to the current folder; empty when it names no place (an unknown drive letter). Where
// the system's file names ignore letter case but the backend's do not, components that do not
// exist as written are matched without regard to case, and new ones keep their spelling. ".."
// stops at the drive's root.
std::string toNativePath(const std::string& windowsPath);
// The native path of one name inside a folder that toNativePath gave, as toNativePath would give
// it for the folder's drive path and the name joined; empty for a name that holds a separator or
// is "." or "..". For many files of one folder, whose folder is then looked up once.
std::string toNativeChild(const std::string& nativeFolder, const std::string& name);

// The drive path of an absolute path as other libraries give it; empty when no drive path can
// name it.
std::string toDrivePath(const std::string& nativePath);

// Whether the drive path names the person's own home folder (on Windows their profile folder),
// however it is reached: a folder whose contents are the person's, never the product's alone.
bool isHomeFolder(const std::string& drivePath);

// The running program's full path as a drive path (what GetModuleFileName reports).
std::string ownProgramPath();

// Makes ownProgramPath answer the given drive path: for tools and tests that act for a setup
// program in another folder. A native path is answered through its drive path; an empty path
// gives the real one back.
void overrideOwnProgramPath(const std::string& drivePath);

} // namespace platform
