#pragma once
#include <string>

// The longest folder path, in characters, that the installer takes anywhere: the folder page, the
// command line and createFolderPath. The system builds paths in 256-character buffers, and one
// place goes to the closing zero.
constexpr std::size_t kFolderPathLimit = 255;

// Creates every level of an absolute folder path ("C:\Games\Demo\sounds"), outermost first,
// passing over levels that exist already. False for an empty path, a path longer than
// kFolderPathLimit, or a level that could not be made.
bool createFolderPath(const std::string& path);
