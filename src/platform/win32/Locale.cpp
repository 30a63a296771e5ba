#include "platform/Locale.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform {

std::string systemLanguageId() {
    wchar_t id[16] = {};
    const int length =
        GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_ILANGUAGE, id, static_cast<int>(std::size(id)));
    // The length counts the terminator.
    return length > 1 ? win32::narrow(id, static_cast<std::size_t>(length - 1)) : "0409";
}

int ansiCodePage() {
    return static_cast<int>(GetACP());
}

} // namespace platform
