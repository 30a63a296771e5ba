#include "copy/SpaceCheck.h"

#include "copy/InstallSize.h"
#include "platform/Files.h"
#include "script/SetupScript.h"
#include "script/TextKeys.h"
#include "words/ProgramWords.h"

#include <cstdio>

namespace {

constexpr const char* kBuiltInNoSpace = words::marked(
    "There is not enough free space on the disk of the target folder: the installation needs "
    "%1, but only %2 is free. Do you want to install anyway?");

FreeSpaceSource& freeSpaceOverride() {
    static FreeSpaceSource source;
    return source;
}

// A folder that is still to be made lives on the disk of its nearest existing parent.
std::string nearestExistingFolder(std::string folder) {
    while (!platform::folderExists(folder)) {
        const auto cut = folder.find_last_of('\\');
        if (cut == std::string::npos || folder.size() <= 3)
            return {};
        folder.resize(cut);
        // "C:" alone is the drive's current folder; the disk's root is "C:\".
        if (folder.size() == 2 && folder[1] == ':')
            folder += '\\';
    }
    return folder;
}

std::optional<std::uint64_t> diskFreeSpace(const std::string& targetFolder) {
    if (freeSpaceOverride())
        return freeSpaceOverride()(targetFolder);
    const std::string existing = nearestExistingFolder(targetFolder);
    std::uint64_t bytes = 0;
    if (existing.empty() || !platform::freeDiskSpace(existing, bytes))
        return std::nullopt;
    return bytes;
}

// Each "%s" in turn takes the next value; other text, '%' included, stays as written.
std::string fillPlaceholders(const std::string& text, const std::string& first,
                             const std::string& second) {
    std::string out;
    int filled = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's' && filled < 2) {
            out += filled++ == 0 ? first : second;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

SpaceNeed measureSpaceNeed(const SetupScript& script, const std::string& installMode,
                           const std::string& targetFolder) {
    const InstallSize size = measureInstallType(script, installMode);
    SpaceNeed need;
    need.needed = size.copiedBytes + size.waveBytes;
    need.free = diskFreeSpace(targetFolder);
    return need;
}

std::string noSpaceText(const SetupScript& script, const SpaceNeed& need) {
    const std::string needed = formatByteCount(need.needed);
    const std::string free = formatByteCount(need.free.value_or(0));
    const std::string text = script.languageText(textkeys::kNoSpace);
    if (text.empty())
        return words::translateWith(kBuiltInNoSpace, {needed, free});
    return fillPlaceholders(text, needed, free);
}

std::string formatByteCount(std::uint64_t bytes) {
    constexpr double kKilo = 1024.0;
    char text[64];
    const double value = static_cast<double>(bytes);
    if (value < kKilo * kKilo)
        std::snprintf(text, sizeof text, "%llu KB",
                      static_cast<unsigned long long>((bytes + 1023) / 1024));
    else if (value < kKilo * kKilo * kKilo)
        std::snprintf(text, sizeof text, "%.1f MB", value / (kKilo * kKilo));
    else
        std::snprintf(text, sizeof text, "%.1f GB", value / (kKilo * kKilo * kKilo));
    return text;
}

void overrideFreeSpace(FreeSpaceSource source) {
    freeSpaceOverride() = std::move(source);
}
