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

std::string toDrivePath(const std::string& nativePath) {
    std::string path = nativePath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
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
