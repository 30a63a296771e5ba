#include "platform/Files.h"

#include "platform/Locale.h"
#include "platform/MadeFiles.h"
#include "platform/Paths.h"
#include "platform/TextEncoding.h"
#include "platform/posix/BoundedRead.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/machine/NameCase.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

using posix::openRegular;

bool statNative(const std::string& native, struct stat& info) {
    return !native.empty() && stat(native.c_str(), &info) == 0;
}

bool ownerMayWrite(const struct stat& info) {
    return (info.st_mode & S_IWUSR) != 0;
}

// A file that exists without the owner's write permission is read-only for everyone, the
// administrator included, as on the system this program was made for.
bool isReadOnlyFile(const std::string& native) {
    struct stat info;
    return statNative(native, info) && !S_ISDIR(info.st_mode) && !ownerMayWrite(info);
}

bool isRegularOrMissing(const std::string& native) {
    struct stat info;
    return stat(native.c_str(), &info) != 0 || S_ISREG(info.st_mode);
}

// fopen's flags for the modes this program uses ("rb", "wb", "ab", "r+b", ...).
int openFlags(const std::string& mode) {
    const bool update = mode.find('+') != std::string::npos;
    switch (mode.empty() ? 'r' : mode.front()) {
    case 'w':
        return (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
    case 'a':
        return (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
    default:
        return update ? O_RDWR : O_RDONLY;
    }
}

bool stopAsked(const std::atomic<bool>* stop) {
    return stop && stop->load(std::memory_order_relaxed);
}

bool copyBytes(int from, int to, const std::atomic<bool>* stop) {
    char buffer[1 << 16];
    for (;;) {
        if (stopAsked(stop))
            return false;
        const ssize_t got = read(from, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = write(to, buffer + done, static_cast<size_t>(got - done));
            if (put < 0 && errno != EINTR)
                return false;
            done += put > 0 ? put : 0;
        }
    }
}

// Pieces small enough that a stop is answered within a few tens of milliseconds.
constexpr std::size_t kCopyPieceBytes = 2 << 20;

bool copyContents(int from, int to, const std::atomic<bool>* stop) {
    for (;;) {
        if (stopAsked(stop))
            return false;
        const ssize_t copied = copy_file_range(from, nullptr, to, nullptr, kCopyPieceBytes, 0);
        if (copied == 0)
            return true;
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied < 0)
            return errno == EXDEV || errno == ENOSYS || errno == EINVAL ? copyBytes(from, to, stop)
                                                                        : false;
    }
}

// Simple wildcard match without regard to case: '*' any run, '?' one character.
bool matchesPattern(const char* pattern, const char* name) {
    if (*pattern == '\0')
        return *name == '\0';
    if (*pattern == '*')
        return matchesPattern(pattern + 1, name) || (*name && matchesPattern(pattern, name + 1));
    if (*name == '\0')
        return false;
    const char p = *pattern >= 'A' && *pattern <= 'Z' ? *pattern - 'A' + 'a' : *pattern;
    const char n = *name >= 'A' && *name <= 'Z' ? *name - 'A' + 'a' : *name;
    return (p == '?' || p == n) && matchesPattern(pattern + 1, name + 1);
}

// A name as the directory search reports it: a name that is not UTF-8 is read in the system's
// code page, as the system shows such names.
std::string shownName(const std::string& native) {
    return isValidUtf8(native) ? native : codePageToUtf8(native, ansiCodePage());
}

// A decoded name that another entry also answers to would open that entry, not this one: such
// names are left out rather than shown for a folder they do not lead to.
void dropAmbiguousDecodedNames(std::vector<FoundFile>& found, const std::vector<bool>& decoded) {
    std::vector<FoundFile> kept;
    for (std::size_t i = 0; i < found.size(); ++i) {
        bool ambiguous = false;
        for (std::size_t k = 0; decoded[i] && k < found.size() && !ambiguous; ++k)
            ambiguous = k != i && posix::sameWindowsName(found[k].name, found[i].name);
        if (!ambiguous)
            kept.push_back(found[i]);
    }
    found.swap(kept);
}

std::uint32_t attributesOf(const std::string& name, const struct stat& info) {
    std::uint32_t attributes = S_ISDIR(info.st_mode) ? kAttributeDirectory : kAttributeArchive;
    if (!ownerMayWrite(info) && !S_ISDIR(info.st_mode))
        attributes |= kAttributeReadOnly;
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attributes |= kAttributeHidden;
    return attributes;
}

CopySource examineNativeSource(const std::string& native) {
    struct stat info;
    if (!statNative(native, info))
        return CopySource::Missing;
    if (!S_ISREG(info.st_mode))
        return CopySource::NotAFile;
    if (!(info.st_mode & S_IRUSR))
        return CopySource::Unreadable;
    const int descriptor = openRegular(native, O_RDONLY);
    if (descriptor < 0)
        return errno == EINVAL ? CopySource::NotAFile : CopySource::Unreadable;
    close(descriptor);
    return CopySource::Copyable;
}

} // namespace

CopySource examineCopySource(const std::string& path) {
    return examineNativeSource(toNativePath(path));
}

bool copyFile(const std::string& from, const std::string& to, bool failIfExists,
              const std::atomic<bool>* stop) {
    // A stop asked before the copy leaves whatever stands at the destination as it was.
    if (stopAsked(stop))
        return false;
    const std::string source = toNativePath(from);
    const std::string destination = toNativePath(to);
    struct stat sourceInfo, destinationInfo;
    // Only regular files are copied: reading a named pipe or a device would never end.
    if (examineNativeSource(source) != CopySource::Copyable || !statNative(source, sourceInfo) ||
        destination.empty())
        return false;
    if (statNative(destination, destinationInfo)) {
        if (failIfExists || !S_ISREG(destinationInfo.st_mode) || !ownerMayWrite(destinationInfo)) {
            errno = failIfExists ? EEXIST : EACCES;
            return false;
        }
        if (destinationInfo.st_ino == sourceInfo.st_ino &&
            destinationInfo.st_dev == sourceInfo.st_dev)
            return true;
    }
    const int input = openRegular(source, O_RDONLY);
    if (input < 0)
        return false;
    const int output = openRegular(destination, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (output < 0) {
        close(input);
        return false;
    }
    bool copied = copyContents(input, output, stop);
    // The copy keeps the source's read-only state, as the system's copy keeps its attributes.
    copied = copied && fchmod(output, sourceInfo.st_mode & 0777) == 0;
    copied = close(output) == 0 && copied;
    const int failure = errno; // the cleaning up must not hide why the copy failed
    close(input);
    if (!copied) {
        unlink(destination.c_str());
        errno = failure;
    }
    return copied;
}

bool setFileAttributes(const std::string& path, std::uint32_t attributes) {
    const std::string native = toNativePath(path);
    struct stat info;
    if (!statNative(native, info))
        return false;
    mode_t mode = info.st_mode & 07777;
    if (attributes & kAttributeReadOnly)
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    return chmod(native.c_str(), mode) == 0;
}

std::uint32_t fileAttributes(const std::string& path) {
    const std::string native = toNativePath(path);
    struct stat info;
    if (!statNative(native, info))
        return kInvalidAttributes;
    const auto slash = native.find_last_of('/', native.size() > 1 ? native.size() - 2 : 0);
    return attributesOf(native.substr(slash == std::string::npos ? 0 : slash + 1), info);
}

bool replaceFile(const std::string& from, const std::string& to) {
    const std::string source = toNativePath(from);
    const std::string destination = toNativePath(to);
    if (source.empty() || destination.empty() || isReadOnlyFile(destination))
        return false;
    // rename replaces a symbolic link itself, never the file it points to.
    return std::rename(source.c_str(), destination.c_str()) == 0;
}

bool deleteFile(const std::string& path) {
    const std::string native = toNativePath(path);
    if (native.empty() || isReadOnlyFile(native))
        return false;
    struct stat info;
    if (!statNative(native, info) || S_ISDIR(info.st_mode))
        return false;
    return unlink(native.c_str()) == 0;
}

MakeFolderResult makeFolder(const std::string& path) {
    const std::string native = toNativePath(path);
    if (native.empty())
        return MakeFolderResult::Failed;
    if (mkdir(native.c_str(), 0777) == 0) {
        noteMade(Made::Folder, native);
        return MakeFolderResult::Created;
    }
    return errno == EEXIST ? MakeFolderResult::AlreadyExists : MakeFolderResult::Failed;
}

bool changeFolder(const std::string& path) {
    const std::string native = toNativePath(path);
    return !native.empty() && chdir(native.c_str()) == 0;
}

std::string currentFolder() {
    std::string buffer(PATH_MAX, '\0');
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return toDrivePath(buffer);
}

bool findFiles(const std::string& pattern, std::vector<FoundFile>& found) {
    found.clear();
    const auto cut = pattern.find_last_of("\\/");
    const std::string folderPart =
        cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
    std::string namePattern = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    if (namePattern == "*.*")
        namePattern = "*";
    const std::string folder = toNativePath(folderPart.empty() ? std::string(".") : folderPart);
    DIR* directory = folder.empty() ? nullptr : opendir(folder.c_str());
    if (!directory)
        return false;
    std::vector<bool> decoded;
    while (const dirent* entry = readdir(directory)) {
        // A name with a backslash cannot be named by a path of ours: it is left out.
        const std::string native = entry->d_name;
        if (native.find('\\') != std::string::npos)
            continue;
        const std::string name = shownName(native);
        if (!matchesPattern(namePattern.c_str(), name.c_str()))
            continue;
        struct stat info;
        std::string full = folder;
        if (full.back() != '/')
            full += '/';
        full += native;
        if (stat(full.c_str(), &info) != 0)
            continue;
        found.push_back({name, attributesOf(name, info)});
        decoded.push_back(name != native);
    }
    closedir(directory);
    dropAmbiguousDecodedNames(found, decoded);
    return !found.empty();
}

std::FILE* openFile(const std::string& path, const char* mode) {
    const std::string native = toNativePath(path);
    if (native.empty())
        return nullptr;
    const std::string how = mode;
    const bool writes = how.find_first_of("wa+") != std::string::npos;
    if (writes && isReadOnlyFile(native)) {
        errno = EACCES;
        return nullptr;
    }
    // A named pipe or a device is never opened: it could block or never end.
    if (!isRegularOrMissing(native)) {
        errno = EINVAL;
        return nullptr;
    }
    const int descriptor = openRegular(native, openFlags(how), 0666);
    if (descriptor < 0)
        return nullptr;
    std::FILE* stream = fdopen(descriptor, mode);
    if (stream == nullptr)
        close(descriptor);
    return stream;
}

std::FILE* createNativeFile(const std::string& nativePath, ExistingFile existing) {
    if (nativePath.empty())
        return nullptr;
    const int flags = existing == ExistingFile::Refuse ? O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC
                                                       : O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    const int descriptor = openRegular(nativePath, flags, 0666);
    if (descriptor < 0)
        return nullptr;
    std::FILE* stream = fdopen(descriptor, "wb");
    if (stream == nullptr)
        close(descriptor);
    return stream;
}

bool measureOpenFile(std::FILE* file, std::uint64_t& bytes) {
    if (fseeko(file, 0, SEEK_END) != 0)
        return false;
    const off_t end = ftello(file);
    std::rewind(file);
    if (end < 0)
        return false;
    bytes = static_cast<std::uint64_t>(end);
    return true;
}

bool seekOpenFile(std::FILE* file, std::uint64_t offset) {
    return offset <= static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) &&
           fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool fileExists(const std::string& path) {
    struct stat info;
    return statNative(toNativePath(path), info) && !S_ISDIR(info.st_mode);
}

bool folderExists(const std::string& path) {
    struct stat info;
    return statNative(toNativePath(path), info) && S_ISDIR(info.st_mode);
}

FileFailure lastFileFailure() {
    const int error = errno;
    char text[256] = "";
    // The GNU form may answer with a text of its own rather than fill the buffer.
    const char* reason = strerror_r(error, text, sizeof text);
    return {error == ENOSPC || error == EDQUOT, error == 0 || !reason ? "" : reason};
}

} // namespace platform
