#include "platform/FocusCues.h"

#include <windows.h>

namespace platform {

void showFocusCues(std::uintptr_t nativeWindow) {
    if (const HWND handle = reinterpret_cast<HWND>(nativeWindow))
        SendMessageW(handle, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

bool focusCuesShown(std::uintptr_t nativeWindow) {
    const HWND handle = reinterpret_cast<HWND>(nativeWindow);
    return handle && (SendMessageW(handle, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

} // namespace platform
