#pragma once
// Whether what an install type writes fits on the target's disk, told before anything is copied.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class SetupScript;

struct SpaceNeed {
    std::uint64_t needed = 0;          // copied bytes plus decoded WAVE bytes
    std::optional<std::uint64_t> free; // nothing when the disk could not be asked
    bool fits() const { return !free || needed <= *free; }
};

// The install type's size (measured against the current folder, the medium) and the free space
// of the file system that holds the target folder, or would hold it once made.
SpaceNeed measureSpaceNeed(const SetupScript& script, const std::string& installMode,
                           const std::string& targetFolder);

// The question: the script's "IDS_E_NO_SPACE" with its two "%s" filled in, or a built-in text.
std::string noSpaceText(const SetupScript& script, const SpaceNeed& need);

// "3.2 MB", "512 KB", "1.5 GB".
std::string formatByteCount(std::uint64_t bytes);

// Answers the free space in place of the disk (an empty function restores the disk): lets a
// test play a small disk without mounting one.
using FreeSpaceSource = std::function<std::optional<std::uint64_t>(const std::string& folder)>;
void overrideFreeSpace(FreeSpaceSource source);
