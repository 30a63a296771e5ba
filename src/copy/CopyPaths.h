#pragma once
// Path texts of the copy: Windows paths, compared and lower-cased byte by byte (ASCII letters
// only, as the rest of the installer does).

#include <string>

bool endsWith(const std::string& text, const std::string& tail);
// Replaces every occurrence of from by to.
std::string replaceAll(std::string text, const std::string& from, const std::string& to);

// The part before the last backslash followed by "\" ("sounds\" for "sounds\speech.snd"), or
// the empty text for a path without a backslash.
std::string folderPrefix(const std::string& path);

// Whether a copy-list entry stays inside the target folder when appended to it: not absolute,
// no drive, and no ".." level.
bool isEntryInsideTarget(const std::string& entry);

// Whether the copy unpacks an entry as a sound archive: ".snd" anywhere in it, in any case.
bool isArchiveEntry(const std::string& entry);

// What a record becomes: its name lower-cased with ".ogg" and ".spx" turned into ".wav".
std::string recordDisplayName(const std::string& name);

// Where a record's WAVE file goes: the record's folder in the target as given, then the record's
// name lower-cased with its codec's extension turned into ".wav". Only the name is rewritten, so
// a target folder such as "C:\Games\Sounds.ogg" still receives the file, and one that differs
// only in letter case from another beside it is still the one written.
std::string recordOutputPath(const std::string& recordFolder, const std::string& name,
                             const std::string& extension);
