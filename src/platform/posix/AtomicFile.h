#pragma once
// Whole-file replacements that a crash at any moment leaves either old or new.
#include <string>
#include <sys/types.h>

namespace platform::posix {

// Writes the bytes to a temporary file beside the target, flushes it to the disk, renames it
// over the target and flushes the folder. On failure the target keeps its old content.
bool writeFileAtomically(const std::string& nativePath, const std::string& bytes, mode_t mode);

// Removes the temporary files that writers killed in the middle left beside the target. Only
// for a caller that knows no other writer of the target runs (one holding the target's lock).
void removeLeftoverTemporaries(const std::string& nativePath);

} // namespace platform::posix
