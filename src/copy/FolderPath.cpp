#include "copy/FolderPath.h"

#include "platform/Files.h"
#include "script/CharacterCount.h"

namespace {

// Where the first level begins: after a drive prefix ("C:") and one backslash that follows it.
std::size_t firstLevelStart(const std::string& path) {
    std::size_t start = 0;
    if (path.size() >= 2 && path[1] == ':')
        start = 2;
    if (start < path.size() && path[start] == '\\')
        ++start;
    return start;
}

// A level that is there must be a folder: Windows also says "exists" for a device name or a file.
bool makeLevel(const std::string& level) {
    switch (platform::makeFolder(level)) {
    case platform::MakeFolderResult::Created:
        return true;
    case platform::MakeFolderResult::AlreadyExists:
        return platform::folderExists(level);
    default:
        return false;
    }
}

} // namespace

bool createFolderPath(const std::string& path) {
    if (path.empty() || characterCount(path) > kFolderPathLimit)
        return false;
    const std::size_t start = firstLevelStart(path);
    // Each backslash after the drive part closes one level; the end of the path closes the last.
    for (std::size_t i = start; i < path.size(); ++i)
        if (path[i] == '\\' && !makeLevel(path.substr(0, i)))
            return false;
    return makeLevel(path);
}
