#include "platform/posix/machine/RegistrySnapshot.h"

#include "platform/posix/BoundedRead.h"
#include "platform/posix/machine/FileStamp.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::posix {
namespace {

bool looksLikeRegistryText(const std::string& text) {
    const std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    const auto first = text.find_first_not_of(" \t\r\n", start);
    return first == std::string::npos || text.compare(first, 8, "REGEDIT4") == 0 ||
           text.compare(first, 36, "Windows Registry Editor Version 5.00") == 0;
}

bool readAll(int fd, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

} // namespace

bool RegistrySnapshot::isCurrent() const {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT && fd < 0;
    return fd >= 0 && fileStampOf(info) == identity;
}

bool RegistrySnapshot::refresh(const std::string& filePath, const std::string& rootName) {
    if (held && path == filePath && isCurrent())
        return true;
    forget();
    path = filePath;
    parsed = RegistryHiveFile(rootName);
    // Only a regular file: a pipe in the hive's place would keep the first read waiting.
    const int openFd = openRegular(path, O_RDONLY | O_CLOEXEC);
    if (openFd >= 0)
        return adoptOpenFile(openFd);
    if (errno != ENOENT)
        return false;
    // An empty hive; its text ("REGEDIT4" and a blank line) is not the missing file's.
    changesAtRead = parsed.changeCount();
    held = true;
    return true;
}

bool RegistrySnapshot::adoptOpenFile(int openFd) {
    // The identity is taken before the bytes: a change while reading shows at the next look.
    struct stat info;
    if (::fstat(openFd, &info) != 0 || !readAll(openFd, bytes) || !looksLikeRegistryText(bytes)) {
        ::close(openFd);
        bytes.clear();
        return false;
    }
    fd = openFd;
    identity = fileStampOf(info);
    parsed.parse(bytes);
    bytesAreParsedText = parsed.text() == bytes;
    changesAtRead = parsed.changeCount();
    held = true;
    return true;
}

std::optional<std::string> RegistrySnapshot::textToSave() const {
    if (unchanged() && bytesAreParsedText)
        return std::nullopt;
    std::string text = parsed.text();
    if (text == bytes)
        return std::nullopt;
    return text;
}

void RegistrySnapshot::saved(std::string text) {
    const int newFd = openRegular(path, O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (newFd < 0 || ::fstat(newFd, &info) != 0) {
        if (newFd >= 0)
            ::close(newFd);
        forget();
        return;
    }
    if (fd >= 0)
        ::close(fd);
    fd = newFd;
    identity = fileStampOf(info);
    bytes = std::move(text);
    bytesAreParsedText = true;
    changesAtRead = parsed.changeCount();
}

void RegistrySnapshot::forget() {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
    held = false;
    bytes.clear();
    bytesAreParsedText = false;
    parsed = RegistryHiveFile("");
}

} // namespace platform::posix
