#include "platform/posix/wine/WineDiscDrive.h"

#include "platform/SystemActivity.h"
#include "platform/posix/OwnExecutable.h"
#include "platform/posix/disc/StartedMedium.h"
#include "platform/posix/wine/WineRun.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform::posix {
namespace {

constexpr const char* kSourceFile = ".cd-setup-source";

std::string readFirstLine(const std::string& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

bool writeText(const std::string& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out << text);
}

std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* directory = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(directory)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(directory);
    }
    return names;
}

// The helper program beside this one (the build), or where the package puts it.
std::string discDriveHelper() {
    const std::string own = ownExecutable();
    if (own.empty())
        return {};
    const std::string folder = own.substr(0, own.find_last_of('/'));
    for (const std::string& candidate :
         {folder + "/cd-setup-define-disc-drive.exe", folder + "/../lib/cd-setup/cd-setup-define-disc-drive.exe",
          folder + "/../bin/cd-setup-define-disc-drive.exe"}) {
        struct stat info;
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            return candidate;
    }
    return {};
}

std::string sourceOf(const StartedMedium& medium) {
    return medium.image.empty() ? medium.folder : medium.image;
}

} // namespace

std::string wineDiscFolders(const std::string& prefix) {
    return prefix + "/cd-setup-discs";
}

std::string wineDiscSource(const std::string& prefix, const std::string& nativeFolder) {
    const std::string ours = wineDiscFolders(prefix) + "/";
    if (nativeFolder.compare(0, ours.size(), ours) != 0)
        return {};
    return readFirstLine(nativeFolder + "/" + kSourceFile);
}

std::string giveWineTheDisc(const std::string& prefix, char letter) {
    const StartedMedium* medium = startedMedium();
    if (!medium)
        return {};
    const std::string drive = wineDiscFolders(prefix) + "/" + std::string(1, letter);
    ::mkdir(wineDiscFolders(prefix).c_str(), 0755);
    ::mkdir(drive.c_str(), 0755);
    struct stat info;
    if (::lstat(drive.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return "the folder " + drive + " for the disc's drive could not be made";
    // The folder is this program's alone: its links of an earlier disc go, the new disc's come.
    for (const std::string& name : entriesOf(drive))
        if (::lstat((drive + "/" + name).c_str(), &info) == 0 && S_ISLNK(info.st_mode))
            ::unlink((drive + "/" + name).c_str());
    for (const std::string& name : entriesOf(medium->folder))
        if (::symlink((medium->folder + "/" + name).c_str(), (drive + "/" + name).c_str()) != 0)
            return "the disc's entry " + name + " could not be linked into " + drive + ": " +
                   std::strerror(errno);
    if (!writeText(drive + "/.windows-label", medium->label + "\n") ||
        !writeText(drive + "/" + kSourceFile, sourceOf(*medium) + "\n"))
        return "the disc's label could not be written into " + drive;
    const std::string name = std::string(1, letter) + ":";
    // Through Wine's mount manager, which the running Wine session then knows at once.
    if (const std::string helper = discDriveHelper(); !helper.empty()) {
        if (runWine(prefix, {helper, std::string(1, letter), drive}, false) == 0)
            return {};
        noteSystemActivity("wine", "the mount manager did not take the drive " + name +
                                       ": defined through the prefix's files");
    }
    // Else the link and Wine's record of the type, which Wine takes from its next session on.
    const std::string link = prefix + "/dosdevices/" + name;
    ::unlink(link.c_str()); // the letter is free, or it was this disc's drive before
    if (::symlink(drive.c_str(), link.c_str()) != 0)
        return "the drive " + name + " could not be linked in " + prefix + ": " +
               std::strerror(errno);
    if (runWine(prefix, {"reg", "add", "HKLM\\Software\\Wine\\Drives", "/v", name, "/d", "cdrom", "/f"},
                false) != 0)
        return "Wine did not take the drive " + name + " as a CD-ROM drive";
    return {};
}

} // namespace platform::posix
