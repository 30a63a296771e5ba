#pragma once
// Path texts as Windows writes them, compared byte by byte (ASCII letters only where case is
// ignored, as the rest of the installer does).
#include <string>

bool endsWith(const std::string& text, const std::string& tail);
// Replaces every occurrence of from by to.
std::string replaceAll(std::string text, const std::string& from, const std::string& to);

// The part before the last backslash followed by "\" ("sounds\" for "sounds\speech.snd"), or
// the empty text for a path without a backslash.
std::string folderPrefix(const std::string& path);

// Whether a relative path stays inside the folder it is appended to: not absolute, no drive,
// and no ".." level.
bool isEntryInsideTarget(const std::string& entry);
