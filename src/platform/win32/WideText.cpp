#include "platform/win32/WideText.h"

#include <climits>
#include <windows.h>

namespace platform::win32 {

std::wstring widen(const std::string& utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX)
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string narrow(const wchar_t* wide, std::size_t length) {
    if (length == 0 || length > INT_MAX)
        return {};
    const int size = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, size, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return {};
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, size, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::string narrow(const std::wstring& wide) {
    return narrow(wide.data(), wide.size());
}

std::wstring widePath(const std::string& utf8Path) {
    std::wstring path = widen(utf8Path);
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

} // namespace platform::win32
