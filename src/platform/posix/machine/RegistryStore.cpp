#include "platform/posix/machine/RegistryStore.h"

#include "platform/posix/AtomicFile.h"
#include "platform/posix/machine/RegistrySnapshot.h"
#include "platform/posix/machine/XdgFolders.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
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

// One held parse per hive, shared by every key of the process (which has one thread).
RegistrySnapshot snapshots[2];

RegistrySnapshot& snapshotOf(RegistryHive hive) {
    return snapshots[hive == RegistryHive::CurrentUser ? 0 : 1];
}

} // namespace

std::string registryFolder() {
    if (const char* own = std::getenv("SETUP_REGISTRY_DIR"); own && *own)
        return own;
    const std::string config = xdgBaseFolder("XDG_CONFIG_HOME", ".config");
    return config.empty() ? std::string() : config + "/cd-setup/registry";
}

std::string unusableFolderReason() {
    const std::string folder = registryFolder();
    if (folder.empty())
        return "the registry has no folder: the home folder is not known";
    if (!makeFolders(folder))
        return "the registry folder " + folder + " cannot be made: " + std::strerror(errno);
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return "the registry folder " + folder + " cannot be written: " + std::strerror(errno);
    return {};
}

std::string hiveFilePath(RegistryHive hive) {
    const std::string folder = registryFolder();
    if (folder.empty())
        return {};
    return folder +
           (hive == RegistryHive::CurrentUser ? "/current-user.reg" : "/local-machine.reg");
}

bool readHive(RegistryHive hive, const std::function<void(const RegistryHiveFile&)>& reader) {
    const std::string path = hiveFilePath(hive);
    if (path.empty())
        return false;
    RegistrySnapshot& snapshot = snapshotOf(hive);
    if (!snapshot.refresh(path, rootName(hive)))
        return false;
    reader(snapshot.hive());
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
    // Under the lock the held parse is checked against the file that the last writer left.
    RegistrySnapshot& snapshot = snapshotOf(hive);
    if (!snapshot.refresh(path, rootName(hive)))
        return false;
    if (!change(snapshot.hive())) {
        if (!snapshot.unchanged())
            snapshot.forget();
        return false;
    }
    std::optional<std::string> text = snapshot.textToSave();
    if (!text)
        return true;
    if (!writeFileAtomically(path, *text, 0600)) {
        snapshot.forget();
        return false;
    }
    snapshot.saved(std::move(*text));
    return true;
}

} // namespace platform::posix
