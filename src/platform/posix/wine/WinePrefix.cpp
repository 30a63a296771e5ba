#include "platform/posix/wine/WinePrefix.h"

#include "platform/MadeFiles.h"
#include "platform/Paths.h"
#include "platform/posix/OwnExecutable.h"
#include "platform/Machine.h"

#include "platform/ProfileFile.h"
#include "platform/SystemActivity.h"
#include "words/ProgramWords.h"
#include "platform/posix/machine/FolderNames.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/disc/StartedMedium.h"
#include "platform/posix/machine/DriveAssignment.h"
#include "platform/posix/wine/WineDiscDrive.h"
#include "platform/posix/wine/WindowsProgram.h"
#include "platform/posix/wine/WineRun.h"
#include "platform/posix/machine/XdgFolders.h"

#include <cerrno>
#include <cstring>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace platform::posix {
namespace {

bool exists(const std::string& native) {
    struct stat info;
    return ::stat(native.c_str(), &info) == 0;
}

bool startsWithNoCase(const std::string& text, const char* start) {
    const std::string head = text.substr(0, std::char_traits<char>::length(start));
    return equalsIgnoringCase(head, start);
}

// The medium's file for a name the script writes relative to it, matched without regard to
// letter case as a medium made on Windows needs; empty when it is not there.
std::string fileOnMedium(const std::string& mediumFolder, const std::string& name) {
    std::string native = mediumFolder;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = name.size();
        const std::string component = name.substr(start, end - start);
        start = end + 1;
        if (component.empty() || component == ".")
            continue;
        if (component == "..")
            return {};
        const std::string entry =
            exists(native + "/" + component) ? component : entryIgnoringCase(native, component);
        if (entry.empty())
            return {};
        native += "/" + entry;
    }
    return native;
}

// Wine's own first start makes a prefix the same way. Without a display no window of Wine's own
// opens beside the installer's; but a Wine session begun without one can open no window at all,
// so that session is waited out before the game or the medium's programs could join it.
bool runWineboot(const std::string& prefix) {
    const auto start = std::chrono::steady_clock::now();
    beginSystemWait(words::marked("Preparing Wine…"));
    const std::string wine = wineProgram();
    const int status = runInPrefix(wine, {"wine", "wineboot", "--init"}, prefix, false, true);
    const std::string server = wine.substr(0, wine.find_last_of('/')) + "/wineserver";
    if (access(server.c_str(), X_OK) == 0)
        (void)runInPrefix(server, {"wineserver", "-w"}, prefix, false, true); // ends either way
    endSystemWait();
    const bool made = status == 0 && exists(prefix + "/dosdevices/c:");
    noteSystemActivity("wine", (made ? "prefix made: " : "prefix could not be made: ") + prefix +
                                   " (" + secondsText(start) + ")");
    return made;
}

// Present while this program makes a prefix: a run killed meanwhile leaves a prefix that looks
// made but lacks most of its registry, which the next run makes again.
std::string unfinishedMark(const std::string& prefix) {
    return prefix + "/.cd-setup-unfinished";
}

// Makes the prefix, or finishes one this program began: Wine redoes its whole set-up once its
// own note of the last one is gone. Empty, or why the prefix could not be made.
std::string makePrefix(const std::string& prefix) {
    const std::string parent = nativeParent(prefix);
    if (!exists(prefix) && ::access(parent.c_str(), W_OK) != 0)
        return "the Wine prefix " + prefix + " cannot be made: the folder " + parent +
               " is not writable";
    if (!exists(prefix)) {
        if (::mkdir(prefix.c_str(), 0755) != 0)
            return "the Wine prefix " + prefix + " cannot be made: " + std::strerror(errno);
        noteMade(Made::WinePrefix, prefix);
    }
    if (std::FILE* mark = std::fopen(unfinishedMark(prefix).c_str(), "w"))
        std::fclose(mark);
    else
        return "the Wine prefix " + prefix + " cannot be made: the folder is not writable";
    ::unlink((prefix + "/.update-timestamp").c_str());
    if (!runWineboot(prefix)) {
        const char* arch = std::getenv("WINEARCH");
        return "Wine could not make the prefix " + prefix + " (wineboot --init failed" +
               (arch && *arch ? std::string(", WINEARCH=") + arch + ")" : std::string(")"));
    }
    ::unlink(unfinishedMark(prefix).c_str());
    return {};
}

// The first line of a registry file of the prefix, empty when it cannot be read.
std::string firstLineOf(const std::string& file) {
    std::FILE* in = std::fopen(file.c_str(), "r");
    if (!in)
        return {};
    char line[256] = {};
    const bool read = std::fgets(line, sizeof line, in) != nullptr;
    std::fclose(in);
    std::string text = read ? line : "";
    text.erase(text.find_last_not_of("\r\n") + 1);
    return text;
}

// Why Wine cannot serve the existing prefix as it is; empty when it can.
std::string prefixProblem(const std::string& prefix) {
    struct stat info;
    if (::stat(prefix.c_str(), &info) != 0)
        return {};
    if (!S_ISDIR(info.st_mode))
        return "the Wine prefix " + prefix + " is a file, not a folder";
    // Wine itself refuses a prefix that is not its user's.
    if (info.st_uid != ::getuid())
        return "the Wine prefix " + prefix + " belongs to another user";
    // One this program began is made again, whatever state it was left in.
    if (!exists(prefix + "/dosdevices") || exists(unfinishedMark(prefix)))
        return {};
    for (const char* hive : {"system.reg", "user.reg", "userdef.reg"}) {
        const std::string header = firstLineOf(prefix + "/" + hive);
        if (header.empty())
            return "the Wine prefix " + prefix + " has no registry file " + hive;
        if (header != "WINE REGISTRY Version 2")
            return "the Wine prefix " + prefix + " holds a registry of another format (" + hive +
                   ": " + header + ")";
    }
    if (::access(prefix.c_str(), W_OK) != 0 || ::access((prefix + "/drive_c").c_str(), W_OK) != 0)
        return "the Wine prefix " + prefix + " is not writable";
    return {};
}

struct PrefixChoice {
    std::string prefix;  // empty: the installer does not work on a Wine prefix
    std::string problem; // why the prefix the product needs cannot serve; empty when it can
};

PrefixChoice choosePrefix() {
    const std::string wine = wineProgram();
    if (wine.empty() || !holdsWindowsProduct(mediumFolder()))
        return {};
    std::string prefix;
    if (const char* given = std::getenv("WINEPREFIX"); given && *given) {
        // Wine itself takes only an absolute prefix.
        if (given[0] != '/')
            return {{}, std::string("WINEPREFIX is not an absolute path: ") + given};
        prefix = given;
    } else {
        const std::string home = homeFolder();
        if (home.empty())
            return {{}, "there is no home folder for the Wine prefix ~/.wine"};
        prefix = home + "/.wine";
    }
    while (prefix.size() > 1 && prefix.back() == '/')
        prefix.pop_back();
    if (std::string problem = prefixProblem(prefix); !problem.empty())
        return {{}, problem};
    if (!exists(prefix + "/dosdevices") || exists(unfinishedMark(prefix))) {
        if (exists(prefix + "/dosdevices"))
            noteSystemActivity("wine", "the prefix " + prefix + " was left unfinished: made again");
        if (std::string problem = makePrefix(prefix); !problem.empty())
            return {{}, problem};
        if (std::string problem = prefixProblem(prefix); !problem.empty())
            return {{}, problem};
    }
    // Usable is what Wine itself can read: another architecture's prefix or a broken one fails here.
    if (!readWineKeyText(prefix, "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion"))
        return {{}, "Wine cannot use the prefix " + prefix + ": its registry cannot be read through Wine" +
                        (std::getenv("WINEARCH") ? std::string(" (WINEARCH=") + std::getenv("WINEARCH") + ")"
                                                 : std::string())};
    noteSystemActivity("wine", "installing into the Wine prefix " + prefix);
    return {prefix, {}};
}

// The prefix of an earlier installation, when a run works on one.
std::string& givenPrefix() {
    static std::string prefix;
    return prefix;
}

const PrefixChoice& prefixChoice() {
    static const PrefixChoice none;
    if (!givenPrefix().empty()) {
        static const PrefixChoice given{givenPrefix(), {}};
        return given;
    }
    if (const char* table = std::getenv("SETUP_DRIVE_TABLE"); table && *table)
        return none;
    static const PrefixChoice choice = choosePrefix();
    return choice;
}

} // namespace

const std::string& winePrefix() {
    return prefixChoice().prefix;
}

const std::string& winePrefixProblem() {
    return prefixChoice().problem;
}

bool holdsWindowsProduct(const std::string& mediumFolder) {
    if (mediumFolder.empty())
        return false;
    const auto script = readProfile(mediumFolder + "/install.ini");
    if (!script)
        return false;
    for (const ProfileSectionLines& section : script->lines()) {
        for (const ProfileKeyLine& key : section.keys) {
            if (!startsWithNoCase(key.name, "File") || key.name.size() == 4 ||
                key.name.find_first_not_of("0123456789", 4) != std::string::npos)
                continue;
            const std::string target =
                fileOnMedium(mediumFolder, script->value(section.name, key.name));
            if (!target.empty() && isWindowsProgram(target))
                return true;
        }
    }
    return false;
}

} // namespace platform::posix

namespace platform {

void workInWinePrefix(const std::string& nativePrefix) {
    posix::givenPrefix() = nativePrefix;
}

UninstallWay uninstallWay() {
    const std::string own = posix::ownExecutable();
    const std::string drivePath = own.empty() ? std::string() : toDrivePath(own);
    if (drivePath.empty())
        return {};
    return {drivePath, posix::winePrefix().empty()};
}

std::string winePrefixInUse() {
    return posix::winePrefix();
}

std::string prepareMachine() {
    if (const std::string& problem = posix::winePrefixProblem(); !problem.empty())
        return problem;
    const std::string& prefix = posix::winePrefix();
    const char letter = posix::startedMediumLetter();
    if (prefix.empty() || letter == 0)
        return {};
    const std::string problem = posix::giveWineTheDisc(prefix, letter);
    noteSystemActivity("wine", problem.empty() ? "the disc is the prefix's drive " +
                                                     std::string(1, letter) + ": (CD-ROM)"
                                               : problem);
    return problem;
}

} // namespace platform
