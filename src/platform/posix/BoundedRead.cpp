#include "platform/posix/BoundedRead.h"

#include "platform/Paths.h"

#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace posix {

int openRegular(const std::string& native, int flags, mode_t mode) {
    const int descriptor = open(native.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
    if (descriptor < 0)
        return -1;
    struct stat info;
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) ||
        fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0) {
        close(descriptor);
        errno = EINVAL;
        return -1;
    }
    return descriptor;
}

namespace {

// False on a read error; `bytes` then holds what came before it.
bool readUpTo(int fd, std::size_t limit, std::string& bytes) {
    char buffer[1 << 16];
    while (bytes.size() <= limit) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
}

FileReadResult readOpenFile(int fd, std::size_t limit, std::string& bytes, struct stat& info) {
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || !(info.st_mode & S_IRUSR))
        return FileReadResult::Unreadable;
    if (static_cast<unsigned long long>(info.st_size) > limit)
        return FileReadResult::TooLarge;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    if (!readUpTo(fd, limit, bytes) || ::fstat(fd, &info) != 0)
        return FileReadResult::Unreadable;
    // The file grew while it was read.
    return bytes.size() > limit ? FileReadResult::TooLarge : FileReadResult::Read;
}

} // namespace

FileReadResult readRegularNativeFile(const std::string& nativePath, std::size_t limit,
                                     std::string& bytes, struct stat& info) {
    bytes.clear();
    if (nativePath.empty())
        return FileReadResult::Missing;
    const int fd = openRegular(nativePath, O_RDONLY);
    if (fd < 0)
        return errno == ENOENT ? FileReadResult::Missing : FileReadResult::Unreadable;
    const FileReadResult result = readOpenFile(fd, limit, bytes, info);
    ::close(fd);
    if (result != FileReadResult::Read)
        bytes.clear();
    return result;
}

} // namespace posix

FileReadResult readRegularFile(const std::string& path, std::size_t limit, std::string& bytes) {
    try {
        struct stat info;
        return posix::readRegularNativeFile(toNativePath(path), limit, bytes, info);
    } catch (const std::exception&) { // out of memory for a large file
        bytes.clear();
        return FileReadResult::Unreadable;
    }
}

} // namespace platform
