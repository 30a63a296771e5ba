#include "paths/FolderPath.h"

#include "paths/CharacterCount.h"
#include "platform/Files.h"

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

// A level counts as made only when it then is a folder: Windows says "exists" for a device name
// or a file, and Wine makes a folder named like a device that no program can then reach.
bool makeLevel(const std::string& level) {
    return platform::makeFolder(level) != platform::MakeFolderResult::Failed &&
           platform::folderExists(level);
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
