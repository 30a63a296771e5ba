#include "platform/Files.h"

#include "platform/MadeFiles.h"

#include "platform/win32/ReadOnly.h"
#include "platform/win32/WideText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>

#include <windows.h>

namespace platform {
namespace {

using win32::widePath;

// The attributes that SetFileAttributesW takes; the directory bit is the file system's own.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE;

DWORD attributesOf(const std::string& path) {
    const std::wstring wide = widePath(path);
    return wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
}

} // namespace

namespace win32 {

bool fileHasAttribute(const std::wstring& path, DWORD wanted) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & wanted) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isReadOnlyFile(const std::wstring& path) {
    return fileHasAttribute(path, FILE_ATTRIBUTE_READONLY);
}

} // namespace win32

// Asked between the pieces the system copies; cancelling removes the partial destination.
static DWORD CALLBACK copyProgress(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER,
                                   DWORD, DWORD, HANDLE, HANDLE, LPVOID stop) {
    return static_cast<const std::atomic<bool>*>(stop)->load(std::memory_order_relaxed)
               ? PROGRESS_CANCEL
               : PROGRESS_CONTINUE;
}

bool copyFile(const std::string& from, const std::string& to, bool failIfExists,
              const std::atomic<bool>* stop) {
    const std::wstring source = widePath(from);
    const std::wstring destination = widePath(to);
    if (source.empty() || destination.empty())
        return false;
    if (win32::fileHasAttribute(destination, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (!stop)
        return CopyFileW(source.c_str(), destination.c_str(), failIfExists ? TRUE : FALSE);
    if (stop->load())
        return false;
    return CopyFileExW(source.c_str(), destination.c_str(), copyProgress,
                       const_cast<std::atomic<bool>*>(stop), nullptr,
                       failIfExists ? COPY_FILE_FAIL_IF_EXISTS : 0);
}

bool setFileAttributes(const std::string& path, std::uint32_t attributes) {
    const std::wstring wide = widePath(path);
    return !wide.empty() && SetFileAttributesW(wide.c_str(), attributes & kSettableAttributes);
}

std::uint32_t fileAttributes(const std::string& path) {
    return attributesOf(path);
}

bool replaceFile(const std::string& from, const std::string& to) {
    const std::wstring source = widePath(from);
    const std::wstring destination = widePath(to);
    // Refused where writing the destination anew would be refused.
    return !source.empty() && !destination.empty() &&
           !win32::fileHasAttribute(destination, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                     FILE_ATTRIBUTE_SYSTEM) &&
           MoveFileExW(source.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool measureOpenFile(std::FILE* file, std::uint64_t& bytes) {
    if (_fseeki64(file, 0, SEEK_END) != 0)
        return false;
    const __int64 end = _ftelli64(file);
    std::rewind(file);
    if (end < 0)
        return false;
    bytes = static_cast<std::uint64_t>(end);
    return true;
}

bool seekOpenFile(std::FILE* file, std::uint64_t offset) {
    return offset <= static_cast<std::uint64_t>(INT64_MAX) &&
           _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
}

bool deleteFile(const std::string& path) {
    const std::wstring wide = widePath(path);
    return !wide.empty() && DeleteFileW(wide.c_str());
}

MakeFolderResult makeFolder(const std::string& path) {
    const std::wstring wide = widePath(path);
    if (wide.empty())
        return MakeFolderResult::Failed;
    if (CreateDirectoryW(wide.c_str(), nullptr)) {
        noteMade(Made::Folder, path);
        return MakeFolderResult::Created;
    }
    return GetLastError() == ERROR_ALREADY_EXISTS ? MakeFolderResult::AlreadyExists
                                                  : MakeFolderResult::Failed;
}

bool changeFolder(const std::string& path) {
    const std::wstring wide = widePath(path);
    return !wide.empty() && SetCurrentDirectoryW(wide.c_str());
}

std::string currentFolder() {
    // The size needed counts the terminator; the folder may change between the two calls.
    for (DWORD size = MAX_PATH;;) {
        std::wstring buffer(size, L'\0');
        const DWORD length = GetCurrentDirectoryW(size, buffer.data());
        if (length == 0)
            return {};
        if (length < size)
            return win32::narrow(buffer.data(), length);
        size = length;
    }
}

bool findFiles(const std::string& pattern, std::vector<FoundFile>& found) {
    found.clear();
    const std::wstring wide = widePath(pattern);
    WIN32_FIND_DATAW entry;
    const HANDLE search =
        wide.empty() ? INVALID_HANDLE_VALUE : FindFirstFileW(wide.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        found.push_back({win32::narrow(entry.cFileName, wcsnlen(entry.cFileName, MAX_PATH)),
                         entry.dwFileAttributes});
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return !found.empty();
}

std::FILE* openFile(const std::string& path, const char* mode) {
    const std::wstring wide = widePath(path);
    const std::wstring wideMode = win32::widen(mode ? mode : "");
    if (wide.empty() || wideMode.empty())
        return nullptr;
    // A new file over a hidden or system one is refused as CreateFileW refuses it.
    const DWORD refused =
        (std::strchr(mode, 'w') ? FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM : 0) |
        (std::strpbrk(mode, "wa+") ? FILE_ATTRIBUTE_READONLY : 0);
    if (refused && win32::fileHasAttribute(wide, refused)) {
        errno = EACCES;
        return nullptr;
    }
    return _wfopen(wide.c_str(), wideMode.c_str());
}

std::FILE* createNativeFile(const std::string& nativePath, ExistingFile existing) {
    const std::wstring wide = win32::widen(nativePath);
    if (existing == ExistingFile::Refuse) {
        // CREATE_NEW fails for anything at the name, a link included.
        const HANDLE handle = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return nullptr;
        const int descriptor =
            _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
        if (descriptor < 0) {
            CloseHandle(handle);
            return nullptr;
        }
        std::FILE* stream = _fdopen(descriptor, "wb");
        if (!stream)
            _close(descriptor);
        return stream;
    }
    if (wide.empty() ||
        win32::fileHasAttribute(wide, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                          FILE_ATTRIBUTE_SYSTEM))
        return nullptr;
    // Only a file on disk: a device name such as CON or a pipe would take the log elsewhere.
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return nullptr;
    std::FILE* stream = _wfopen(wide.c_str(), L"wb");
    if (stream &&
        GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)))) != FILE_TYPE_DISK) {
        std::fclose(stream);
        return nullptr;
    }
    return stream;
}

CopySource examineCopySource(const std::string& path) {
    const std::wstring wide = widePath(path);
    const DWORD attributes =
        wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return CopySource::Missing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return CopySource::NotAFile;
    const HANDLE handle =
        CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return CopySource::Unreadable;
    // A device name such as CON opens the device, which is no file to copy.
    const bool onDisk = GetFileType(handle) == FILE_TYPE_DISK;
    CloseHandle(handle);
    return onDisk ? CopySource::Copyable : CopySource::NotAFile;
}

bool fileExists(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool folderExists(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FileFailure lastFileFailure() {
    const DWORD error = GetLastError();
    FileFailure failure;
    failure.diskFull = error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
    wchar_t* text = nullptr;
    // In the system's language, as its own boxes speak.
    const DWORD length =
        error == ERROR_SUCCESS
            ? 0
            : FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length > 0) {
        failure.reason = win32::narrow(text, length);
        while (!failure.reason.empty() &&
               (failure.reason.back() == '\n' || failure.reason.back() == '\r' ||
                failure.reason.back() == ' ' || failure.reason.back() == '.'))
            failure.reason.pop_back();
    }
    LocalFree(text);
    return failure;
}

} // namespace platform
