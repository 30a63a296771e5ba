#include "platform/Paths.h"

#include "platform/Drives.h"
#include "platform/Locale.h"
#include "platform/TextEncoding.h"
#include "platform/posix/machine/DriveAssignment.h"
#include "platform/posix/machine/DriveTable.h"
#include "platform/posix/machine/FolderNames.h"
#include "platform/posix/machine/NameCase.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/OwnExecutable.h"
#include "platform/posix/disc/StartedMedium.h"
#include "platform/posix/machine/XdgFolders.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform::posix {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string nativeParent(const std::string& nativePath) {
    const auto slash = nativePath.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : nativePath.substr(0, slash);
}

bool sameResolvedPath(const std::string& a, const std::string& b) {
    char* resolvedA = ::realpath(a.c_str(), nullptr);
    char* resolvedB = ::realpath(b.c_str(), nullptr);
    const bool same = resolvedA && resolvedB && std::string(resolvedA) == resolvedB;
    std::free(resolvedA);
    std::free(resolvedB);
    return same;
}

std::string hashTag(const std::string& text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    char tag[9];
    std::snprintf(tag, sizeof tag, "%08x", hash);
    return tag;
}

} // namespace platform::posix

namespace platform {
namespace {

using posix::equalsIgnoringCase;
using posix::isSeparator;

std::string workingFolder() {
    std::vector<char> buffer(PATH_MAX);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return "/";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

std::string join(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

bool pathExists(const std::string& native) {
    struct stat info;
    return lstat(native.c_str(), &info) == 0;
}

// Whether a native name stands for the component: the same without regard to case, or, for a
// name that is not UTF-8, the same once read in the system's code page (as the directory search
// shows it).
bool namesComponent(const std::string& nativeName, const std::string& component) {
    if (posix::sameWindowsName(nativeName, component))
        return true;
    return !isValidUtf8(nativeName) &&
           posix::sameWindowsName(codePageToUtf8(nativeName, ansiCodePage()), component);
}

// The existing entry of the folder whose name matches the component, or the name as written
// when there is none (a new file keeps its spelling).
std::string matchComponent(const std::string& folder, const std::string& name) {
    const std::string exact = join(folder, name);
    if (pathExists(exact))
        return exact;
    if (const std::string entry = posix::entryIgnoringCase(folder, name); !entry.empty())
        return join(folder, entry);
    // A name written outside ASCII may stand for a native name in the system code page.
    if (std::all_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return exact;
    DIR* directory = opendir(folder.empty() ? "/" : folder.c_str());
    if (!directory)
        return exact;
    std::string found = exact;
    while (const dirent* entry = readdir(directory)) {
        if (namesComponent(entry->d_name, name)) {
            found = join(folder, entry->d_name);
            break;
        }
    }
    closedir(directory);
    return found;
}

std::string driveFolder(char letter) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    for (const DriveEntry& drive : driveTable())
        if (drive.letter == lower)
            return drive.folder;
    return {};
}

bool hasDriveLetter(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

// The path with its drive made explicit: a rooted path takes the current folder's drive, a
// relative one the whole current folder. Empty when the current folder has no drive path.
std::string withDrive(const std::string& path) {
    if (hasDriveLetter(path))
        return path;
    const std::string current = toDrivePath(workingFolder());
    if (!hasDriveLetter(current))
        return {};
    if (isSeparator(path[0]))
        return current.substr(0, 2) + path;
    return current + (current.back() == '\\' ? "" : "\\") + path;
}

// Drops "." and empty components and resolves ".." on the components of an absolute native
// path, without looking at the file system.
std::string lexicallyNormal(const std::string& nativePath) {
    std::vector<std::string> parts;
    std::size_t at = 1;
    while (at <= nativePath.size()) {
        std::size_t end = nativePath.find('/', at);
        if (end == std::string::npos)
            end = nativePath.size();
        const std::string part = nativePath.substr(at, end - at);
        at = end + 1;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
    }
    std::string normal;
    for (const std::string& part : parts)
        normal += "/" + part;
    return normal.empty() ? "/" : normal;
}

const DriveEntry* driveHolding(const std::string& nativePath, std::size_t& rootLength) {
    const DriveEntry* best = nullptr;
    for (const DriveEntry& drive : driveTable()) {
        std::string root = drive.folder;
        while (root.size() > 1 && root.back() == '/')
            root.pop_back();
        if (root.empty() || root[0] != '/')
            continue; // names no folder of its own
        const bool inside = nativePath == root || (nativePath.compare(0, root.size(), root) == 0 &&
                                                   (root == "/" || nativePath[root.size()] == '/'));
        if (inside && (!best || root.size() > rootLength)) {
            best = &drive;
            rootLength = root.size();
        }
    }
    return best;
}

bool isFolder(const std::string& nativePath) {
    struct stat info;
    return stat(nativePath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::string toNativePath(const std::string& windowsPath) {
    if (windowsPath.empty())
        return {};
    // A native path passes whole; with Windows components joined on it names nothing.
    if (windowsPath[0] == '/')
        return windowsPath.find('\\') == std::string::npos ? windowsPath : std::string();
    const std::string path = withDrive(windowsPath);
    const std::string root = path.empty() ? std::string() : driveFolder(path[0]);
    if (root.empty())
        return {};
    // Each level's native path; ".." at the drive's root stays there.
    std::vector<std::string> levels;
    std::size_t at = 2;
    while (at < path.size()) {
        std::size_t end = at;
        while (end < path.size() && !isSeparator(path[end]))
            ++end;
        const std::string component = path.substr(at, end - at);
        at = end + 1;
        if (component.empty() || component == ".")
            continue;
        if (component == "..") {
            if (!levels.empty())
                levels.pop_back();
        } else {
            levels.push_back(matchComponent(levels.empty() ? root : levels.back(), component));
        }
    }
    std::string native = levels.empty() ? root : levels.back();
    if (isSeparator(path.back()) && native.back() != '/')
        native += '/';
    return native;
}

std::string toNativeChild(const std::string& nativeFolder, const std::string& name) {
    if (nativeFolder.empty() || nativeFolder[0] != '/' || name.empty() || name == "." ||
        name == ".." || name.find_first_of("\\/") != std::string::npos)
        return {};
    return matchComponent(nativeFolder, name);
}

std::string toDrivePath(const std::string& nativePath) {
    // A backslash inside a native name would split it into two components of another path.
    if (nativePath.empty() || nativePath[0] != '/' || nativePath.find('\\') != std::string::npos)
        return {};
    const std::string normal = lexicallyNormal(nativePath);
    std::size_t rootLength = 0;
    const DriveEntry* drive = driveHolding(normal, rootLength);
    if (!drive) {
        // The nearest existing folder gets a drive of its own: its folder for a file, and
        // for a folder yet to be made the one it will be made in.
        std::string folder = normal;
        while (!isFolder(folder) && folder != "/")
            folder = posix::nativeParent(folder);
        if (!posix::assignDrive(folder))
            return {};
        drive = driveHolding(normal, rootLength);
        if (!drive)
            return {};
    }
    std::string rest = normal.substr(rootLength == 1 ? 1 : rootLength);
    if (!rest.empty() && rest[0] == '/')
        rest.erase(0, 1);
    for (char& c : rest)
        if (c == '/')
            c = '\\';
    return std::string(1, static_cast<char>(std::toupper(drive->letter))) + ":\\" + rest;
}

bool isHomeFolder(const std::string& drivePath) {
    const std::string native = toNativePath(drivePath);
    const std::string home = posix::homeFolder();
    if (native.empty() || home.empty())
        return false;
    // Both as the file system resolves them: a link to the home folder, or a drive whose folder
    // is the home folder, is the home folder.
    return posix::sameResolvedPath(native, home);
}

namespace {
std::string& programPathOverride() {
    static std::string path;
    return path;
}
} // namespace

void overrideOwnProgramPath(const std::string& drivePath) {
    programPathOverride() = drivePath;
}

std::string ownProgramPath() {
    // A native stand-in is answered as the program's real location would be.
    const std::string& given = programPathOverride();
    if (!given.empty())
        return given[0] == '/' ? toDrivePath(given) : given;
    const std::string own = posix::ownExecutable();
    if (own.empty())
        return {};
    // Started on a medium, the program stands in the medium's root, as it would on the disc.
    if (const posix::StartedMedium* medium = posix::startedMedium())
        return toDrivePath(medium->folder + own.substr(own.find_last_of('/')));
    return toDrivePath(own);
}

} // namespace platform
