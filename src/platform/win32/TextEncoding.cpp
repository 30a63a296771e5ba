#include "platform/TextEncoding.h"

#include "platform/win32/WideText.h"

#include <climits>
#include <windows.h>

namespace platform {

std::string codePageToUtf8(const std::string& bytes, int codePage) {
    if (bytes.empty() || bytes.size() > INT_MAX)
        return {};
    const UINT page = static_cast<UINT>(codePage);
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(page, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return bytes; // an unknown code page: the bytes as they are
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(page, 0, bytes.data(), size, wide.data(), length);
    return win32::narrow(wide);
}

std::string utf8ToCodePage(const std::string& text, int codePage) {
    const std::wstring wide = win32::widen(text);
    if (wide.empty() || wide.size() > INT_MAX)
        return {};
    const UINT page = static_cast<UINT>(codePage);
    const int size = static_cast<int>(wide.size());
    // No best fit: a character the code page lacks becomes '?', not a look-alike letter.
    const DWORD flags = page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length =
        WideCharToMultiByte(page, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return text;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(page, flags, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

} // namespace platform
