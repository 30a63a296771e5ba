#include "platform/SystemMessageBox.h"
#include "platform/SystemMessageBoxTestHook.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform {
namespace {

SystemMessageBoxAnswerer& testAnswerer() {
    static SystemMessageBoxAnswerer answerer;
    return answerer;
}

} // namespace

void answerSystemMessageBoxesWith(SystemMessageBoxAnswerer answerer) {
    testAnswerer() = std::move(answerer);
}

std::optional<BoxAnswer> showSystemMessageBox(void* owner, const std::string& text,
                                              const std::string& caption, BoxButtons buttons,
                                              BoxIcon icon, bool noIsDefault) {
    if (testAnswerer())
        return testAnswerer()({owner, text, caption, buttons, icon, noIsDefault});
    UINT type = buttons == BoxButtons::YesNo ? MB_YESNO : MB_OK;
    if (noIsDefault)
        type |= MB_DEFBUTTON2;
    switch (icon) {
    case BoxIcon::Error:
        type |= MB_ICONERROR;
        break;
    case BoxIcon::Warning:
        type |= MB_ICONWARNING;
        break;
    case BoxIcon::Question:
        type |= MB_ICONQUESTION;
        break;
    case BoxIcon::Information:
        type |= MB_ICONINFORMATION;
        break;
    case BoxIcon::None:
        break;
    }
    if (!owner)
        type |= MB_TASKMODAL | MB_SETFOREGROUND;
    switch (MessageBoxW(static_cast<HWND>(owner), win32::widen(text).c_str(),
                        win32::widen(caption).c_str(), type)) {
    case IDYES:
        return BoxAnswer::Yes;
    case IDNO:
        return BoxAnswer::No;
    case IDOK:
        return BoxAnswer::Ok;
    default:
        return BoxAnswer::Cancel;
    }
}

} // namespace platform
