#include "platform/posix/RegistryStore.h"

#include "platform/posix/AtomicFile.h"
#include "platform/posix/XdgFolders.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::posix {
namespace {

const char* rootName(RegistryHive hive) {
    return hive == RegistryHive::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

bool makeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string level = folder.substr(0, slash);
        if (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

bool looksLikeRegistryText(const std::string& text) {
    const std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    const auto first = text.find_first_not_of(" \t\r\n", start);
    return first == std::string::npos || text.compare(first, 8, "REGEDIT4") == 0 ||
           text.compare(first, 36, "Windows Registry Editor Version 5.00") == 0;
}

bool loadHiveText(RegistryHive hive, std::string& text) {
    const std::string path = hiveFilePath(hive);
    if (path.empty())
        return false;
    switch (readWholeFile(path, text)) {
    case ReadResult::Missing:
        text.clear();
        return true;
    case ReadResult::Read:
        return looksLikeRegistryText(text);
    case ReadResult::Failed:
        return false;
    }
    return false;
}

// Holds the hive's lock file locked for as long as it lives.
class HiveLock {
public:
    explicit HiveLock(const std::string& lockPath) {
        fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return;
        int result;
        do
            result = ::flock(fd, LOCK_EX);
        while (result != 0 && errno == EINTR);
        if (result != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    ~HiveLock() {
        if (fd >= 0)
            ::close(fd);
    }
    HiveLock(const HiveLock&) = delete;
    HiveLock& operator=(const HiveLock&) = delete;
    bool held() const { return fd >= 0; }

private:
    int fd = -1;
};

} // namespace

std::string registryFolder() {
    if (const char* own = std::getenv("SETUP_REGISTRY_DIR"); own && *own)
        return own;
    const std::string config = xdgBaseFolder("XDG_CONFIG_HOME", ".config");
    return config.empty() ? std::string() : config + "/cd-setup/registry";
}

std::string hiveFilePath(RegistryHive hive) {
    const std::string folder = registryFolder();
    if (folder.empty())
        return {};
    return folder +
           (hive == RegistryHive::CurrentUser ? "/current-user.reg" : "/local-machine.reg");
}

bool loadHive(RegistryHive hive, RegistryHiveFile& file) {
    std::string text;
    if (!loadHiveText(hive, text))
        return false;
    file = RegistryHiveFile(rootName(hive));
    file.parse(text);
    return true;
}

bool updateHive(RegistryHive hive, const std::function<bool(RegistryHiveFile&)>& change) {
    const std::string path = hiveFilePath(hive);
    if (path.empty() || !makeFolders(registryFolder()))
        return false;
    const HiveLock lock(path + ".lock");
    if (!lock.held())
        return false;
    removeLeftoverTemporaries(path);
    std::string before;
    if (!loadHiveText(hive, before))
        return false;
    RegistryHiveFile file(rootName(hive));
    file.parse(before);
    if (!change(file))
        return false;
    const std::string after = file.text();
    return after == before || writeFileAtomically(path, after, 0600);
}

} // namespace platform::posix
