#pragma once
#include <string>

// Whether a file (a path relative to the current folder or a drive path) is a Windows bitmap the
// main window can draw: a known header, a size, a known depth and, uncompressed, all its rows.
bool isReadableBitmap(const std::string& relative);
