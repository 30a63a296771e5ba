#include "platform/NativeFiles.h"

#include "platform/posix/machine/RegistryStore.h"
#include "platform/posix/machine/XdgFolders.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

NativeKind nativeKind(const std::string& nativePath) {
    struct stat info;
    if (nativePath.empty() || ::lstat(nativePath.c_str(), &info) != 0)
        return NativeKind::Missing;
    if (S_ISLNK(info.st_mode))
        return NativeKind::Link;
    if (S_ISREG(info.st_mode))
        return NativeKind::File;
    return S_ISDIR(info.st_mode) ? NativeKind::Folder : NativeKind::Other;
}

bool isPlainNativePath(const std::string& nativePath) {
    if (nativePath.size() < 2 || nativePath.front() != '/' || nativePath.back() == '/')
        return false;
    std::size_t start = 1;
    while (start <= nativePath.size()) {
        const std::size_t end = std::min(nativePath.find('/', start), nativePath.size());
        const std::string part = nativePath.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return nativePath.find('\0') == std::string::npos;
}

bool isNativePathInside(const std::string& nativePath, const std::string& nativeFolder) {
    if (nativeFolder.empty())
        return false;
    if (nativePath == nativeFolder)
        return true;
    const std::string folder = nativeFolder.back() == '/' ? nativeFolder : nativeFolder + "/";
    return nativePath.size() > folder.size() && nativePath.compare(0, folder.size(), folder) == 0;
}

bool holdsNoLinkBelow(const std::string& nativePath, const std::string& nativeFolder) {
    if (!isNativePathInside(nativePath, nativeFolder))
        return false;
    for (std::size_t slash = nativePath.find('/', nativeFolder.size() + 1);
         slash != std::string::npos; slash = nativePath.find('/', slash + 1))
        if (const NativeKind kind = nativeKind(nativePath.substr(0, slash));
            kind != NativeKind::Folder && kind != NativeKind::Missing)
            return false;
    return true;
}

std::string nativeFolderOf(const std::string& nativePath) {
    const std::size_t slash = nativePath.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? "/" : nativePath.substr(0, slash);
}

std::string nativeJoin(const std::string& nativeFolder, const std::string& name) {
    if (!nativeFolder.empty() && nativeFolder.back() == '/')
        return nativeFolder + name;
    return nativeFolder + "/" + name;
}

bool removeNativeFile(const std::string& nativePath) {
    return nativeKind(nativePath) == NativeKind::File && ::unlink(nativePath.c_str()) == 0;
}

bool removeNativeEmptyFolder(const std::string& nativePath) {
    // rmdir itself refuses a folder that holds anything.
    return nativeKind(nativePath) == NativeKind::Folder && ::rmdir(nativePath.c_str()) == 0;
}

bool renameNative(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool makeNativeFolders(const std::string& nativePath) {
    for (std::size_t slash = nativePath.find('/', 1); slash != std::string::npos;
         slash = nativePath.find('/', slash + 1))
        (void)::mkdir(nativePath.substr(0, slash).c_str(), 0755);
    return (::mkdir(nativePath.c_str(), 0755) == 0 || errno == EEXIST) &&
           nativeKind(nativePath) == NativeKind::Folder;
}

std::FILE* openNativeForReading(const std::string& nativePath) {
    // No waiting on a pipe or a device that a journal or an edit names.
    const int descriptor = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (descriptor < 0)
        return nullptr;
    struct stat info;
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    std::FILE* stream = ::fdopen(descriptor, "rb");
    if (!stream)
        ::close(descriptor);
    return stream;
}

std::FILE* openNativeForAppending(const std::string& nativePath) {
    const int descriptor =
        ::open(nativePath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (descriptor < 0)
        return nullptr;
    std::FILE* stream = ::fdopen(descriptor, "ab");
    if (!stream)
        ::close(descriptor);
    return stream;
}

bool nativeFolderNames(const std::string& nativeFolder, std::vector<std::string>& names) {
    DIR* folder = ::opendir(nativeFolder.c_str());
    if (!folder)
        return false;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(folder);
    return true;
}

bool nativeFileStamp(const std::string& nativePath, FileStamp& stamp) {
    struct stat info;
    if (::stat(nativePath.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    stamp.bytes = static_cast<std::uint64_t>(info.st_size);
    stamp.changed = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                    info.st_mtim.tv_nsec;
    return true;
}

std::vector<std::string> desktopMenuPlaces() {
    std::vector<std::string> places;
    const std::string data = posix::xdgBaseFolder("XDG_DATA_HOME", ".local/share");
    const std::string config = posix::xdgBaseFolder("XDG_CONFIG_HOME", ".config");
    if (!data.empty()) {
        places.push_back(data + "/applications");
        places.push_back(data + "/desktop-directories");
        places.push_back(data + "/icons/hicolor");
    }
    if (!config.empty())
        places.push_back(config + "/menus/applications-merged");
    return places;
}

std::string journalFolder() {
    if (const char* own = std::getenv("SETUP_JOURNAL_DIR"); own && *own)
        return own;
    // Hives of a folder of their own keep their journals with them.
    if (const char* hives = std::getenv("SETUP_REGISTRY_DIR"); hives && *hives)
        return nativeJoin(hives, "journals");
    const std::string registry = posix::registryFolder();
    if (registry.empty())
        return {};
    return nativeJoin(nativeFolderOf(registry), "journals");
}

} // namespace platform
