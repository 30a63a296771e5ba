#include "platform/posix/disc/DiscImage.h"

#include "platform/posix/CommandRun.h"
#include "platform/posix/disc/Mounts.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/SearchPath.h"

#include <array>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace platform::posix {
namespace {

// The watchers of this run's images: a run mounts one image, a few at most.
struct Watcher {
    pid_t process = -1;
    int pipeEnd = -1;
};
constexpr std::size_t kMostImages = 4;
std::array<Watcher, kMostImages> watchers;

// Closing the pipe tells a watcher to unmount; waiting for it makes the unmount done before the
// program goes on (or ends). Only calls a signal handler may make.
void releaseWatchers() {
    for (Watcher& watcher : watchers) {
        if (watcher.pipeEnd >= 0)
            ::close(watcher.pipeEnd);
        watcher.pipeEnd = -1;
        if (watcher.process > 0) {
            int status = 0;
            while (::waitpid(watcher.process, &status, 0) < 0 && errno == EINTR) {
            }
        }
        watcher.process = -1;
    }
}

void releaseAndEnd(int signal) {
    releaseWatchers();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Once per run: a normal end and the signals that end a run from outside release the watchers
// first. Any other end (a crash, SIGKILL) closes the pipe all the same, and the watcher unmounts
// on its own.
void releaseWatchersAtTheEnd() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    std::atexit(releaseWatchers);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, releaseAndEnd);
}

// The first line of a program's output, for a reason.
std::string firstLine(const std::string& text) {
    const std::string line = text.substr(0, text.find('\n'));
    return line.empty() ? std::string("no reason given") : line;
}

bool isMountPoint(const std::string& folder) {
    for (const Mount& mount : readMounts())
        if (mount.folder == folder)
            return true;
    return false;
}

// Starts a watcher: a shell in a session of its own (a Ctrl+C in the terminal is the program's,
// not the watcher's) that waits for the end of the pipe, then runs the unmount script with the
// arguments. The program keeps the pipe's other end, which no program it starts inherits.
bool startWatcher(const std::string& script, const std::vector<std::string>& arguments) {
    Watcher* free = nullptr;
    for (Watcher& watcher : watchers)
        if (watcher.process < 0 && !free)
            free = &watcher;
    int ends[2];
    if (!free || ::pipe2(ends, O_CLOEXEC) != 0)
        return false;
    std::vector<std::string> words = {"sh", "-c", "trap '' INT TERM HUP; read -r _; " + script,
                                      "cd-setup-disc-watcher"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv = argumentVector(words);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[0], 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = -1;
    const int failed =
        posix_spawn(&child, "/bin/sh", &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(ends[0]);
    if (failed) {
        ::close(ends[1]);
        return false;
    }
    releaseWatchersAtTheEnd();
    *free = {child, ends[1]};
    return true;
}

// A desktop session's own way: udisks sets up a read-only loop device and mounts it where the
// desktop mounts discs. Empty, with the reason, when the session offers no udisks.
std::string mountWithUdisks(const std::string& image, std::string& reason) {
    const std::string udisks = programOnPath("udisksctl");
    const char* session = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (udisks.empty() || !session || !*session) {
        reason = "no desktop session with udisks";
        return {};
    }
    const CommandResult loop = runCommand(udisks, {"udisksctl", "loop-setup", "--read-only",
                                                   "--file", image, "--no-user-interaction"});
    // "Mapped file IMAGE as /dev/loop0."
    const std::size_t as = loop.output.rfind(" as /dev/");
    if (loop.status != 0 || as == std::string::npos) {
        reason = "udisks could not set up the image: " + firstLine(loop.output);
        return {};
    }
    std::string device = loop.output.substr(as + 4);
    device = device.substr(0, device.find_first_of(".\n"));
    const CommandResult mounted =
        runCommand(udisks, {"udisksctl", "mount", "--block-device", device, "--options", "ro",
                            "--no-user-interaction"});
    // A desktop may have mounted the new device already by itself.
    std::string folder;
    for (const Mount& mount : readMounts())
        if (mount.device == device)
            folder = mount.folder;
    if (folder.empty()) {
        (void)runCommand(udisks, {"udisksctl", "loop-delete", "--block-device", device,
                                  "--no-user-interaction"});
        reason = "udisks could not mount the image: " + firstLine(mounted.output);
        return {};
    }
    if (!startWatcher("\"$1\" unmount --force --block-device \"$2\" --no-user-interaction; "
                      "\"$1\" loop-delete --block-device \"$2\" --no-user-interaction",
                      {udisks, device})) {
        reason = "no watcher could be started to unmount the image at the end";
        return {};
    }
    return folder;
}

// The folder an image is mounted in: always the same for the same image, so that links made to
// its files (a Wine prefix's CD-ROM drive) lead to them again whenever it is mounted.
std::string mountFolderFor(const std::string& image, const std::string& base) {
    std::string name = image.substr(image.find_last_of('/') + 1);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_')
            c = '_';
    return base + "/cd-setup-disc-" + name.substr(0, 40) + "-" + hashTag(image);
}

// FUSE, which needs no privileges: the image is mounted in a folder of the user's own.
std::string mountWithFuseiso(const std::string& image, std::string& reason) {
    const std::string fuseiso = programOnPath("fuseiso");
    if (fuseiso.empty()) {
        reason = "fuseiso is not installed (Debian's package fuseiso)";
        return {};
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info;
    const std::string base =
        runtime && runtime[0] == '/' && ::stat(runtime, &info) == 0 ? runtime : "/tmp";
    const std::string folder = mountFolderFor(image, base);
    // Mounted already, by a run that is still going on: it stays that run's to unmount.
    if (isMountPoint(folder))
        return folder;
    // A name others can guess: an existing one must be the user's own folder, not a link.
    if ((::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) ||
        ::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) {
        reason = "no folder of the user's own could be made to mount the image in: " + folder;
        return {};
    }
    const CommandResult mounted = runCommand(fuseiso, {"fuseiso", image, folder});
    if (mounted.status != 0 || !isMountPoint(folder)) {
        ::rmdir(folder.c_str());
        reason = "fuseiso could not mount the image: " + firstLine(mounted.output);
        return {};
    }
    // Lazily: the program's current folder and open files are on the image until it ends.
    if (!startWatcher("fusermount -u -z \"$1\" 2>/dev/null || fusermount3 -u -z \"$1\"; "
                      "rmdir \"$1\"",
                      {folder})) {
        (void)runCommand("/bin/sh", {"sh", "-c", "fusermount -u \"$0\"; rmdir \"$0\"", folder});
        reason = "no watcher could be started to unmount the image at the end";
        return {};
    }
    return folder;
}

} // namespace

std::string mountDiscImage(const std::string& image, std::string& reason) {
    std::string udisksReason;
    if (std::string folder = mountWithUdisks(image, udisksReason); !folder.empty())
        return folder;
    std::string fuseReason;
    if (std::string folder = mountWithFuseiso(image, fuseReason); !folder.empty())
        return folder;
    reason = udisksReason + "; " + fuseReason;
    return {};
}

void unmountDiscImages() {
    releaseWatchers();
}

} // namespace platform::posix
