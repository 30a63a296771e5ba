#include "platform/posix/SearchPath.h"

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace platform::posix {

std::string programOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    const std::string folders = path ? path : "";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        // An empty entry is the current folder, as the shell reads PATH.
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

} // namespace platform::posix
