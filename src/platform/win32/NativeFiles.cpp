#include "platform/NativeFiles.h"

#include "platform/AsciiCase.h"
#include "platform/Environment.h"
#include "platform/win32/WideText.h"

#include <cctype>

#include <windows.h>

namespace platform {
namespace {

using win32::narrow;
using win32::widePath;

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// "C:\" and the like: where a native path begins.
bool startsWithDrive(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && isSeparator(path[2]);
}

} // namespace

NativeKind nativeKind(const std::string& nativePath) {
    const std::wstring wide = widePath(nativePath);
    const DWORD attributes = wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return NativeKind::Missing;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return NativeKind::Link;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? NativeKind::Folder : NativeKind::File;
}

bool isPlainNativePath(const std::string& nativePath) {
    if (!startsWithDrive(nativePath) || isSeparator(nativePath.back()))
        return false;
    std::size_t start = 3;
    while (start <= nativePath.size()) {
        std::size_t end = start;
        while (end < nativePath.size() && !isSeparator(nativePath[end]))
            ++end;
        const std::string part = nativePath.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." || part.find(':') != std::string::npos)
            return false;
        start = end + 1;
    }
    return true;
}

bool isNativePathInside(const std::string& nativePath, const std::string& nativeFolder) {
    if (nativeFolder.empty())
        return false;
    const std::string path = asciiLower(nativePath);
    std::string folder = asciiLower(nativeFolder);
    if (path == folder)
        return true;
    if (!isSeparator(folder.back()))
        folder += '\\';
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0;
}

bool holdsNoLinkBelow(const std::string& nativePath, const std::string& nativeFolder) {
    if (!isNativePathInside(nativePath, nativeFolder))
        return false;
    for (std::size_t at = nativeFolder.size() + 1; at < nativePath.size(); ++at)
        if (isSeparator(nativePath[at])) {
            const NativeKind kind = nativeKind(nativePath.substr(0, at));
            if (kind != NativeKind::Folder && kind != NativeKind::Missing)
                return false;
        }
    return true;
}

std::string nativeFolderOf(const std::string& nativePath) {
    const std::size_t separator = nativePath.find_last_of("\\/");
    if (separator == std::string::npos)
        return {};
    return separator == 2 ? nativePath.substr(0, 3) : nativePath.substr(0, separator);
}

std::string nativeJoin(const std::string& nativeFolder, const std::string& name) {
    if (!nativeFolder.empty() && isSeparator(nativeFolder.back()))
        return nativeFolder + name;
    return nativeFolder + "\\" + name;
}

bool removeNativeFile(const std::string& nativePath) {
    return nativeKind(nativePath) == NativeKind::File &&
           DeleteFileW(widePath(nativePath).c_str());
}

bool removeNativeEmptyFolder(const std::string& nativePath) {
    return nativeKind(nativePath) == NativeKind::Folder &&
           RemoveDirectoryW(widePath(nativePath).c_str());
}

bool renameNative(const std::string& from, const std::string& to) {
    return MoveFileExW(widePath(from).c_str(), widePath(to).c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool makeNativeFolders(const std::string& nativePath) {
    for (std::size_t at = 3; at < nativePath.size(); ++at)
        if (isSeparator(nativePath[at]))
            (void)CreateDirectoryW(widePath(nativePath.substr(0, at)).c_str(), nullptr);
    (void)CreateDirectoryW(widePath(nativePath).c_str(), nullptr);
    return nativeKind(nativePath) == NativeKind::Folder;
}

std::FILE* openNativeForReading(const std::string& nativePath) {
    if (nativeKind(nativePath) != NativeKind::File)
        return nullptr;
    return _wfopen(widePath(nativePath).c_str(), L"rb");
}

std::FILE* openNativeForAppending(const std::string& nativePath) {
    return _wfopen(widePath(nativePath).c_str(), L"ab");
}

bool nativeFolderNames(const std::string& nativeFolder, std::vector<std::string>& names) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(widePath(nativeJoin(nativeFolder, "*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        const std::string name = narrow(found.cFileName);
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

bool nativeFileStamp(const std::string& nativePath, FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(widePath(nativePath).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    stamp.bytes = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.changed = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime);
    return true;
}

std::vector<std::string> desktopMenuPlaces() {
    return {};
}

// Machine-wide, as the uninstall list is: the administrator installs, any administrator removes.
std::string journalFolder() {
    if (const std::string own = environmentValue("SETUP_JOURNAL_DIR"); !own.empty())
        return own;
    const std::string data = environmentValue("ProgramData");
    return data.empty() ? std::string() : nativeJoin(data, "Setup journals");
}

} // namespace platform
