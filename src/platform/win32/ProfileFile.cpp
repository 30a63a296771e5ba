// Profile files on Windows. The system's own profile functions know ANSI text in the system's
// code page, and UTF-16 only with a little-endian mark: a script in UTF-8, with or without its
// mark, or in big-endian UTF-16 would lose its first section or read as other letters. So every
// script is read by the reading shared with the other systems, and only a script in the code
// page is handed to the system's functions for its values and writes, as the program was made
// for.
#include "platform/ProfileFile.h"

#include "platform/TextEncoding.h"
#include "platform/profile/ProfileCopies.h"
#include "platform/profile/ProfileEdit.h"
#include "platform/win32/BoundedRead.h"
#include "platform/win32/ReadOnly.h"
#include "platform/win32/WideText.h"

#include <exception>
#include <windows.h>
#include <winternl.h>

namespace platform {
namespace {

using profile::FileStamp;
using profile::Nanoseconds;
using profile::ProfileEncoding;

constexpr std::size_t kValueLimit = 259;
// A value longer than this is cut here before our own cut (characters, terminator included).
constexpr DWORD kLongestRead = 1 << 16;

// The profile functions look for a path without a folder in the Windows folder; here a
// relative path means the current folder, as everywhere else.
std::wstring fullPath(const std::string& path) {
    const std::wstring wide = win32::widePath(path);
    if (wide.empty())
        return {};
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return {};
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return {};
    full.resize(length);
    return full;
}

Nanoseconds nanosecondsOf(std::uint64_t fileTime) {
    constexpr std::uint64_t k1970 = 116444736000000000; // in 100 ns since 1601
    return (static_cast<Nanoseconds>(fileTime) - static_cast<Nanoseconds>(k1970)) * 100;
}

// The stamp a file's times and size give. Every write and every rename sets the change time; a
// file system without one (FAT) reports none, and its write time stands in.
FileStamp stampOf(const LARGE_INTEGER& created, const LARGE_INTEGER& written,
                  const LARGE_INTEGER& changed, const LARGE_INTEGER& size) {
    const auto changedAt = changed.QuadPart ? changed.QuadPart : written.QuadPart;
    return {0, static_cast<std::uint64_t>(created.QuadPart),
            static_cast<std::uint64_t>(size.QuadPart),
            nanosecondsOf(static_cast<std::uint64_t>(written.QuadPart)),
            nanosecondsOf(static_cast<std::uint64_t>(changedAt))};
}

bool stampOf(HANDLE file, FileStamp& stamp) {
    FILE_BASIC_INFO basic;
    LARGE_INTEGER size;
    if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) ||
        !GetFileSizeEx(file, &size))
        return false;
    stamp = stampOf(basic.CreationTime, basic.LastWriteTime, basic.ChangeTime, size);
    return true;
}

// Opened for its attributes only, so that no writer is kept out.
HANDLE openForAttributes(const std::wstring& path) {
    return CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The file's attributes by its name, change time included: what GetFileAttributesExW asks the
// system's own layer for. Looked up, not linked, as the programs import only the documented DLLs.
using QueryFullAttributes = NTSTATUS(NTAPI*)(POBJECT_ATTRIBUTES, PFILE_NETWORK_OPEN_INFORMATION);
QueryFullAttributes queryFullAttributes() {
    static const auto query = reinterpret_cast<QueryFullAttributes>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryFullAttributesFile")));
    return query;
}

// The system's own name of a full path: \??\C:\dir\file, \??\UNC\server\share\file.
std::wstring systemName(const std::wstring& full) {
    if (full.starts_with(LR"(\\?\)") || full.starts_with(LR"(\\.\)"))
        return LR"(\??\)" + full.substr(4);
    if (full.starts_with(LR"(\\)"))
        return LR"(\??\UNC\)" + full.substr(2);
    return LR"(\??\)" + full;
}

// The same by the file's name, without opening it where the system allows: an open costs the
// file server a round trip, several hundred microseconds under Wine, and every value read asks
// for the stamp.
bool stampOf(const std::wstring& path, FileStamp& stamp) {
    std::wstring name = systemName(path);
    const auto query = queryFullAttributes();
    if (!query || name.size() * sizeof(wchar_t) > 0xFFFE) {
        HANDLE file = openForAttributes(path);
        const bool stamped = file != INVALID_HANDLE_VALUE && stampOf(file, stamp);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        return stamped;
    }
    UNICODE_STRING systemPath;
    systemPath.Buffer = name.data();
    systemPath.Length = systemPath.MaximumLength =
        static_cast<USHORT>(name.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &systemPath, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
    FILE_NETWORK_OPEN_INFORMATION info;
    if (query(&attributes, &info) < 0)
        return false;
    stamp = stampOf(info.CreationTime, info.LastWriteTime, info.ChangeTime, info.EndOfFile);
    return true;
}

class WideFile : public profile::ProfileSource {
public:
    explicit WideFile(const std::wstring& fullPath) : path(fullPath) {}

    bool stamp(FileStamp& now) override { return stampOf(path, now); }

    FileReadResult read(std::string& bytes, FileStamp& after) override {
        bool stamped = false;
        const FileReadResult result =
            win32::readRegularWideFile(path, profile::kProfileSizeLimit, bytes,
                                       [&](HANDLE file) { stamped = stampOf(file, after); });
        return result == FileReadResult::Read && !stamped ? FileReadResult::Unreadable : result;
    }

    bool unchangeable() override {
        HANDLE file = openForAttributes(path);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD flags = 0;
        const BOOL known =
            GetVolumeInformationByHandleW(file, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0);
        CloseHandle(file);
        return known && (flags & FILE_READ_ONLY_VOLUME);
    }

    Nanoseconds clock() override {
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        return nanosecondsOf(static_cast<std::uint64_t>(now.dwHighDateTime) << 32 |
                             now.dwLowDateTime);
    }

private:
    const std::wstring& path;
};

std::shared_ptr<const profile::ProfileIndex> parsedProfileOf(const std::wstring& file) {
    WideFile source(file);
    return profile::parsedProfile(win32::narrow(file), source, static_cast<int>(GetACP()));
}

std::wstring systemValue(const std::wstring& file, const std::string& section,
                         const std::string& key) {
    const std::wstring wideSection = win32::widen(section);
    const std::wstring wideKey = win32::widen(key);
    for (DWORD size = 1024;; size *= 2) {
        std::wstring buffer(size, L'\0');
        const DWORD length = GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), L"",
                                                      buffer.data(), size, file.c_str());
        // A value that fills the buffer may be longer: read again with more room.
        if (length + 1 < size || size >= kLongestRead) {
            buffer.resize(length < size ? length : size - 1);
            return buffer;
        }
    }
}

bool writeAll(HANDLE file, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        DWORD wrote = 0;
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!WriteFile(file, bytes.data() + done, ask, &wrote, nullptr) || wrote == 0)
            return false;
        done += wrote;
    }
    return FlushFileBuffers(file) != 0;
}

// The bytes go to a new file beside the target, which then takes the target's place in one
// step (keeping an existing target's attributes), so that a crash leaves the old file or the new.
bool writeFileAtomically(const std::wstring& target, const std::string& bytes, bool replacing) {
    static LONG counter = 0;
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
                    std::to_wstring(InterlockedIncrement(&counter)) + L".tmp";
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool written = writeAll(file, bytes);
    CloseHandle(file);
    const bool placed =
        written &&
        (replacing ? ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                  REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                   : MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH));
    if (!placed)
        DeleteFileW(temporary.c_str());
    return placed;
}

bool writeProfileFile(const std::wstring& file, const std::string& section, const std::string& key,
                      const std::string& value) {
    if (win32::isReadOnlyFile(file))
        return false;
    std::string bytes, edited;
    switch (win32::readRegularWideFile(file, profile::kProfileSizeLimit, bytes)) {
    case FileReadResult::Missing:
        return profile::editedProfileBytes({}, section, key, value, edited) &&
               writeFileAtomically(file, edited, false);
    case FileReadResult::Read:
        break;
    default: // never rewrite what could not be read: its content would be lost
        return false;
    }
    const auto text = profile::profileTextOf(std::move(bytes), static_cast<int>(GetACP()));
    if (text.encoding == ProfileEncoding::CodePage)
        return WritePrivateProfileStringW(win32::widen(section).c_str(), win32::widen(key).c_str(),
                                          win32::widen(value).c_str(), file.c_str());
    return profile::editedProfileBytes(text, section, key, value, edited) &&
           writeFileAtomically(file, edited, true);
}

} // namespace

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key) {
    try {
        const std::wstring file = fullPath(path);
        const auto index = file.empty() ? nullptr : parsedProfileOf(file);
        if (!index)
            return {};
        if (index->encoding() != ProfileEncoding::CodePage)
            return index->value(section, key);
        return utf8Prefix(win32::narrow(systemValue(file, section, key)), kValueLimit);
    } catch (const std::exception&) { // out of memory for a huge file: it reads as unreadable
        return {};
    }
}

std::vector<ProfileSectionLines> listProfileLines(const std::string& path) {
    return profile::linesOfParsedProfile([&]() -> std::shared_ptr<const profile::ProfileIndex> {
        const std::wstring file = fullPath(path);
        return file.empty() ? nullptr : parsedProfileOf(file);
    });
}

bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    return profile::writeThenForgetCopies([&] {
        const std::wstring file = fullPath(path);
        return !file.empty() && writeProfileFile(file, section, key, value);
    });
}

} // namespace platform
