#pragma once
// Target folders as the user types them: a drive letter, a colon and a backslash first.
#include <string>

// "X:\" followed by anything: a folder that names its own drive.
bool isFullDrivePath(const std::string& text);

// A full drive path with "." and empty components left out and ".." taken back to the folder
// above, never above the drive's root, as the system reads such a path. The folder recorded
// for the installation is then the folder the files went to.
std::string tidyDrivePath(const std::string& text);
