#pragma once
#include <string>

// Longest folder path, in characters, that createFolderPath forms (its levels are built in
// 256-character buffers).
constexpr std::size_t kFolderPathLimit = 255;

// Creates every level of an absolute folder path ("C:\Games\Demo\sounds"), outermost first,
// passing over levels that exist already. False for an empty path, a path longer than
// kFolderPathLimit, or a level that could not be made.
bool createFolderPath(const std::string& path);
