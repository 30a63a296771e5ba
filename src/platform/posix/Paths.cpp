#include "platform/Paths.h"

#include "platform/posix/DriveTable.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/ProgramPath.h"

#include <cctype>
#include <climits>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform::posix {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string asciiLower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && asciiLower(a) == asciiLower(b);
}

std::string nativeParent(const std::string& nativePath) {
    const auto slash = nativePath.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : nativePath.substr(0, slash);
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

// The existing entry of the folder whose name matches without regard to case, or the name as
// written when there is none (a new file keeps its spelling).
std::string matchComponent(const std::string& folder, const std::string& name) {
    const std::string exact = join(folder, name);
    if (pathExists(exact))
        return exact;
    DIR* directory = opendir(folder.empty() ? "/" : folder.c_str());
    if (!directory)
        return exact;
    std::string found = exact;
    while (const dirent* entry = readdir(directory)) {
        if (equalsIgnoringCase(entry->d_name, name)) {
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

// Splits off the part of a Windows path that names its starting folder, natively.
bool startingFolder(const std::string& path, std::string& base, std::size_t& rest) {
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        base = driveFolder(path[0]);
        rest = 2;
        return !base.empty();
    }
    if (path[0] == '\\') {
        // Rooted on the current drive.
        const std::string current = toDrivePath(workingFolder());
        base = current.size() >= 2 && current[1] == ':' ? driveFolder(current[0]) : "/";
        rest = 1;
        return !base.empty();
    }
    base = workingFolder();
    rest = 0;
    return true;
}

} // namespace

std::string toNativePath(const std::string& windowsPath) {
    if (windowsPath.empty())
        return {};
    if (windowsPath[0] == '/')
        return windowsPath; // already native
    std::string native;
    std::size_t at = 0;
    if (!startingFolder(windowsPath, native, at))
        return {};
    while (at < windowsPath.size()) {
        std::size_t end = at;
        while (end < windowsPath.size() && !isSeparator(windowsPath[end]))
            ++end;
        const std::string component = windowsPath.substr(at, end - at);
        at = end + 1;
        if (component.empty() || component == ".")
            continue;
        if (component == "..")
            native = posix::nativeParent(native);
        else
            native = matchComponent(native, component);
    }
    if (isSeparator(windowsPath.back()) && native.back() != '/')
        native += '/';
    return native;
}

std::string toDrivePath(const std::string& nativePath) {
    const DriveEntry* best = nullptr;
    std::size_t bestLength = 0;
    for (const DriveEntry& drive : driveTable()) {
        std::string root = drive.folder;
        while (root.size() > 1 && root.back() == '/')
            root.pop_back();
        const bool inside = nativePath == root || (nativePath.compare(0, root.size(), root) == 0 &&
                                                   (root == "/" || nativePath[root.size()] == '/'));
        if (inside && (!best || root.size() > bestLength)) {
            best = &drive;
            bestLength = root.size();
        }
    }
    if (!best)
        return nativePath;
    std::string rest = nativePath.substr(bestLength == 1 ? 1 : bestLength);
    if (!rest.empty() && rest[0] == '/')
        rest.erase(0, 1);
    for (char& c : rest)
        if (c == '/')
            c = '\\';
    return std::string(1, static_cast<char>(std::toupper(best->letter))) + ":\\" + rest;
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
    if (!programPathOverride().empty())
        return programPathOverride();
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0)
        return {};
    return toDrivePath(std::string(buffer.data(), static_cast<std::size_t>(length)));
}

} // namespace platform
