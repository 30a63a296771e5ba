#include "platform/posix/machine/XdgFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform::posix {
namespace {

std::string absoluteEnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    // Relative values are invalid for the base-folder variables and are ignored.
    return value && value[0] == '/' ? value : "";
}

} // namespace

std::string homeFolder() {
    std::string home = absoluteEnvironmentPath("HOME");
    if (home.empty())
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
            home = entry->pw_dir;
    return home;
}

std::string xdgBaseFolder(const char* variable, const char* fallbackUnderHome) {
    std::string folder = absoluteEnvironmentPath(variable);
    if (!folder.empty())
        return folder;
    const std::string home = homeFolder();
    return home.empty() ? std::string() : home + "/" + fallbackUnderHome;
}

} // namespace platform::posix
