#pragma once
// The copy's names: which entries are sound archives, and what their records are called once
// converted. The path texts themselves are the paths room's.
#include "paths/PathText.h"

#include <string>

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
