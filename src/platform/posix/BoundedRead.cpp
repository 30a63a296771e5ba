#include "platform/posix/BoundedRead.h"

#include "platform/Paths.h"

#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace posix {
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
    // Without O_NONBLOCK opening a pipe waits for a writer; regular files ignore the flag.
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
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
