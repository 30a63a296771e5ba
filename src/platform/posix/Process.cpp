#include "platform/Process.h"

#include "platform/Paths.h"
#include "platform/posix/CommandRun.h"
#include "platform/posix/wine/WindowsProgram.h"
#include "platform/posix/wine/WineRegistry.h"

#include <cerrno>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

using posix::argumentVector;

pid_t startProgram(const std::string& native, const std::vector<std::string>& arguments,
                   const std::string& nativeWorkFolder, bool searchPath) {
    // A program started now may read what the installer recorded in a Wine prefix.
    (void)posix::importWineRegistryChanges(); // a failure is tried again when the installer ends
    std::vector<std::string> withName = arguments;
    if (withName.empty())
        withName.push_back(native);
    auto argv = argumentVector(withName);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!nativeWorkFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, nativeWorkFolder.c_str());
    pid_t child = -1;
    const int failed =
        searchPath ? posix_spawnp(&child, native.c_str(), &actions, nullptr, argv.data(), environ)
                   : posix_spawn(&child, native.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : child;
}

// Children started without waiting are collected whenever another one starts, so that
// none stays behind as a zombie while the program runs.
std::vector<pid_t>& detachedChildren() {
    static std::vector<pid_t> children;
    return children;
}

void reapDetachedChildren() {
    auto& children = detachedChildren();
    std::erase_if(children, [](pid_t child) { return waitpid(child, nullptr, WNOHANG) != 0; });
}

bool startDetached(const std::string& native, const std::vector<std::string>& arguments,
                   const std::string& nativeWorkFolder, bool searchPath) {
    reapDetachedChildren();
    const pid_t child = startProgram(native, arguments, nativeWorkFolder, searchPath);
    if (child < 0)
        return false;
    detachedChildren().push_back(child);
    return true;
}

// What to start for a program: the program itself, or Wine with the program's path when it is a
// Windows program (nothing when Wine is missing). arguments[0] is the name the program sees.
bool resolveProgram(std::string& native, std::vector<std::string>& arguments) {
    if (native.empty())
        return false;
    if (!posix::isWindowsProgram(native))
        return access(native.c_str(), X_OK) == 0;
    // Wine names the program by a Windows path, which cannot hold these: it would not start it
    // and would end with an error code of its own that reads like the program's.
    for (const unsigned char c : native)
        if (c < 0x20 || std::strchr("\"<>|*?", c))
            return false;
    const std::string wine = posix::wineProgram();
    if (wine.empty())
        return false;
    std::vector<std::string> withWine{"wine", native};
    if (arguments.size() > 1)
        withWine.insert(withWine.end(), arguments.begin() + 1, arguments.end());
    native = wine;
    arguments = std::move(withWine);
    return true;
}

} // namespace

int spawnAndWait(const std::string& program, const std::vector<std::string>& programArguments) {
    std::string native = toNativePath(program);
    std::vector<std::string> arguments = programArguments;
    if (!resolveProgram(native, arguments))
        return -1;
    const pid_t child = startProgram(native, arguments, {}, false);
    if (child < 0)
        return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool spawnDetached(const std::string& program, const std::vector<std::string>& programArguments) {
    std::string native = toNativePath(program);
    std::vector<std::string> arguments = programArguments;
    if (!resolveProgram(native, arguments))
        return false;
    return startDetached(native, arguments, {}, false);
}

bool openWithDefaultProgram(const std::string& path, const std::string& workFolder,
                            std::uintptr_t) { // the desktop's opener has no owner window
    const bool relative =
        !path.empty() && path[0] != '/' && path[0] != '\\' && !(path.size() > 1 && path[1] == ':');
    const std::string native =
        toNativePath(relative && !workFolder.empty() ? workFolder + "\\" + path : path);
    if (native.empty() || access(native.c_str(), F_OK) != 0)
        return false;
    return startDetached("xdg-open", {"xdg-open", native}, toNativePath(workFolder), true);
}

} // namespace platform
