// Profile files on Windows. The system's own profile functions know ANSI text in the system's
// code page, and UTF-16 only with a little-endian mark: a script in UTF-8, with or without its
// mark, or in big-endian UTF-16 would lose its first section or read as other letters. So every
// script is read by the reading shared with the other systems, and only a script in the code
// page is handed to the system's functions for its values and writes, as the program was made
// for.
#include "platform/ProfileFile.h"

#include "platform/AsciiCase.h"
#include "platform/TextEncoding.h"
#include "platform/profile/ProfileEdit.h"
#include "platform/profile/ProfileReading.h"
#include "platform/win32/BoundedRead.h"
#include "platform/win32/ReadOnly.h"
#include "platform/win32/WideText.h"

#include <map>
#include <mutex>
#include <utility>
#include <windows.h>

namespace platform {
namespace {

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

// A script in the code page: its outline from the shared reading, each value from the system's
// reader, asked once per key.
class SystemValuesReading : public ProfileReading {
public:
    SystemValuesReading(std::wstring file, const profile::ProfileText& text)
        : file(std::move(file)), outline(text) {}

    std::string value(const std::string& section, const std::string& key) const override {
        const std::lock_guard<std::mutex> hold(asked);
        auto [known, added] = values.try_emplace({asciiLower(section), asciiLower(key)});
        if (added)
            known->second = utf8Prefix(win32::narrow(systemValue(file, section, key)), kValueLimit);
        return known->second;
    }
    const std::vector<ProfileSectionLines>& lines() const override { return outline.lines(); }

private:
    const std::wstring file;
    const profile::IndexedReading outline;
    mutable std::mutex asked; // the copy's threads read the script too
    mutable std::map<std::pair<std::string, std::string>, std::string> values;
};

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

std::shared_ptr<const ProfileReading> readProfile(const std::string& path) {
    return profile::guardedReading([&]() -> std::shared_ptr<const ProfileReading> {
        const std::wstring file = fullPath(path);
        std::string bytes;
        if (file.empty() || win32::readRegularWideFile(file, profile::kProfileSizeLimit, bytes) !=
                                FileReadResult::Read)
            return nullptr;
        const auto text = profile::profileTextOf(std::move(bytes), static_cast<int>(GetACP()));
        if (text.encoding == ProfileEncoding::CodePage)
            return std::make_shared<const SystemValuesReading>(file, text);
        return std::make_shared<const profile::IndexedReading>(text);
    });
}

bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    return profile::guardedWrite([&] {
        const std::wstring file = fullPath(path);
        return !file.empty() && writeProfileFile(file, section, key, value);
    });
}

} // namespace platform
