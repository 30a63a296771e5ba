// Drive paths are the system's own paths: nothing to translate but the separator.
#include "platform/Paths.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform {
namespace {

std::string& programPathOverride() {
    static std::string path;
    return path;
}

} // namespace

std::string toNativePath(const std::string& windowsPath) {
    return windowsPath;
}

std::string toNativeChild(const std::string& nativeFolder, const std::string& name) {
    if (nativeFolder.empty() || name.empty() || name == "." || name == ".." ||
        name.find_first_of("\\/") != std::string::npos)
        return {};
    const char last = nativeFolder.back();
    return nativeFolder + (last == '\\' || last == '/' ? "" : "\\") + name;
}

std::string toDrivePath(const std::string& nativePath) {
    std::string path = nativePath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

namespace {

// The full form of a path as the system resolves it ("." and ".." gone, '/' as a backslash),
// without a trailing backslash.
std::wstring fullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return {};
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(length < size ? length : 0);
    while (full.size() > 3 && full.back() == L'\\')
        full.pop_back();
    return full;
}

} // namespace

bool isHomeFolder(const std::string& drivePath) {
    std::wstring profile(32768, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"USERPROFILE", profile.data(), 32768);
    if (length == 0 || length >= 32768)
        return false;
    profile.resize(length);
    const std::wstring home = fullPath(profile);
    const std::wstring target = fullPath(win32::widePath(drivePath));
    // File names ignore letter case, as the file system compares them.
    return !home.empty() && !target.empty() &&
           CompareStringOrdinal(home.c_str(), -1, target.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void overrideOwnProgramPath(const std::string& drivePath) {
    programPathOverride() = drivePath;
}

std::string ownProgramPath() {
    if (!programPathOverride().empty())
        return programPathOverride();
    // The path is cut to the buffer without an error on some systems: grow until it fits.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::wstring buffer(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0)
            return {};
        if (length < size)
            return win32::narrow(buffer.data(), length);
    }
    return {};
}

} // namespace platform
