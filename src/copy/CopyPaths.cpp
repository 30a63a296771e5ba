#include "copy/CopyPaths.h"

#include "platform/AsciiCase.h"

bool isArchiveEntry(const std::string& entry) {
    return platform::asciiLower(entry).find(".snd") != std::string::npos;
}

std::string recordDisplayName(const std::string& name) {
    return replaceAll(replaceAll(platform::asciiLower(name), ".ogg", ".wav"), ".spx", ".wav");
}

std::string recordOutputPath(const std::string& recordFolder, const std::string& name,
                             const std::string& extension) {
    return recordFolder + replaceAll(platform::asciiLower(name), extension, ".wav");
}
