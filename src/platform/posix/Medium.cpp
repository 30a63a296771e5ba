#include "platform/Medium.h"

#include "platform/posix/CommandRun.h"
#include "platform/posix/disc/DiscImage.h"
#include "platform/posix/machine/DriveTable.h"
#include "platform/posix/machine/FolderNames.h"
#include "platform/posix/disc/Mounts.h"
#include "platform/posix/OwnExecutable.h"
#include "platform/posix/disc/StartedMedium.h"
#include "platform/posix/disc/VolumeLabel.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

std::optional<posix::StartedMedium>& started() {
    static std::optional<posix::StartedMedium> medium;
    return medium;
}

std::string ownFolder() {
    const std::string program = posix::ownExecutable();
    return program.substr(0, program.find_last_of('/'));
}

bool holdsScript(const std::string& folder) {
    struct stat info;
    return ::stat((folder + "/install.ini").c_str(), &info) == 0 ||
           !posix::entryIgnoringCase(folder, "install.ini").empty();
}

std::string absolute(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// A disc's label when the folder is the root of a mounted one; a copy on disk has none.
std::string labelOfFolder(const std::string& folder) {
    const auto mount = posix::mountHolding(folder);
    return mount && mount->folder == folder ? posix::labelOfDevice(mount->device) : std::string();
}

void use(const std::string& folder, const std::string& label, const std::string& image = {}) {
    started() = posix::StartedMedium{folder, label, image};
    reloadDriveTable();
}

} // namespace

const posix::StartedMedium* posix::startedMedium() {
    return started() ? &*started() : nullptr;
}

std::string posix::mediumFolder() {
    return started() ? started()->folder : ownFolder();
}

bool canStartOnMedium() {
    return true;
}

bool scriptBesideProgram() {
    const std::string own = ownFolder();
    return !own.empty() && holdsScript(own);
}

bool startOnMedium(const std::string& nativePath, std::string& reason) {
    struct stat info;
    if (::stat(nativePath.c_str(), &info) != 0) {
        reason = nativePath + " does not exist";
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        const std::string folder = absolute(nativePath);
        if (!holdsScript(folder)) {
            reason = folder + " holds no install.ini: it is no setup disc";
            return false;
        }
        use(folder, labelOfFolder(folder));
        return true;
    }
    if (!S_ISREG(info.st_mode) && !S_ISBLK(info.st_mode)) {
        reason = nativePath + " is neither a folder nor a disc image";
        return false;
    }
    const std::string image = absolute(nativePath);
    std::string why;
    const std::string folder = posix::mountDiscImage(image, why);
    if (folder.empty()) {
        reason = "the disc image " + image + " could not be mounted: " + why;
        return false;
    }
    if (!holdsScript(folder)) {
        posix::unmountDiscImages();
        reason = "the disc image " + image + " holds no install.ini: it is no setup disc";
        return false;
    }
    const std::string written = posix::discImageLabel(image);
    use(folder, written.empty() ? labelOfFolder(folder) : written, image);
    return true;
}

std::vector<MountedDisc> mountedSetupDiscs() {
    std::vector<MountedDisc> discs;
    // A machine presented through a drive table has the discs of its CD-ROM drives.
    if (const auto given = givenDriveTable()) {
        for (const DriveEntry& drive : *given)
            if (drive.type == DriveType::CdRom && holdsScript(drive.folder))
                discs.push_back({drive.folder, drive.label});
        return discs;
    }
    for (const posix::Mount& mount : posix::readMounts())
        if (posix::isOptical(mount.type) && holdsScript(mount.folder))
            discs.push_back({mount.folder, posix::labelOfDevice(mount.device)});
    return discs;
}

int runWithDiscImage(const std::string& image, const std::vector<std::string>& command) {
    std::string reason;
    if (posix::mountDiscImage(image, reason).empty())
        std::fprintf(stderr, "cd-setup: the disc image %s could not be mounted: %s\n",
                     image.c_str(), reason.c_str());
    if (command.empty())
        return 127;
    std::vector<char*> argv = posix::argumentVector(command);
    pid_t child = -1;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return 127;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    posix::unmountDiscImages();
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace platform
