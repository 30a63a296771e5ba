#include "platform/posix/AtomicFile.h"

#include "platform/posix/NativePath.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::posix {
namespace {

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The rename itself lives in the folder; without this a power cut may bring back the old file.
void flushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd); // best effort: some file systems refuse fsync on folders
    ::close(fd);
}

// A hidden name without the target's ending, so a half-written file is never taken for one.
std::string temporaryPrefix(const std::string& name) {
    return "." + name + ".";
}

std::string fileNameOf(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

} // namespace

bool writeFileAtomically(const std::string& nativePath, const std::string& bytes, mode_t mode) {
    const std::string folder = nativeParent(nativePath);
    const std::string name = fileNameOf(nativePath);
    if (name.empty())
        return false;
    std::string temporary = folder + "/" + temporaryPrefix(name) + "XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(temporary.c_str(), nativePath.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    flushFolder(folder);
    return true;
}

void removeLeftoverTemporaries(const std::string& nativePath) {
    const std::string folder = nativeParent(nativePath);
    const std::string prefix = temporaryPrefix(fileNameOf(nativePath));
    DIR* entries = ::opendir(folder.c_str());
    if (!entries)
        return;
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        // mkostemp adds exactly six characters.
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix))
            (void)::unlink((folder + "/" + name).c_str()); // a file that stays does no harm
    }
    ::closedir(entries);
}

} // namespace platform::posix
