#include "support/ControlReader.h"

#include "platform/SystemMessageBoxTestHook.h"
#include "support/SystemMessageBoxes.h"
#include "support/win32/AccessibleText.h"

#include <wx/timer.h>
#include <wx/window.h>

#include <windows.h>

#include <oleacc.h>

namespace {

VARIANT childVariant(LONG child) {
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = child;
    return id;
}

std::string nameOf(IAccessible* object, LONG child) {
    return accessibleText(object, childVariant(child), &IAccessible::get_accName);
}

// What the window's client object answers, which is what a reader asks of a control and of a
// dialog (Wine's object of the window frame answers nothing).
ReaderView readObject(HWND window) {
    ReaderView view;
    IAccessible* object = nullptr;
    if (AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                   reinterpret_cast<void**>(&object)) != S_OK)
        return view;
    VARIANT role;
    VariantInit(&role);
    if (object->get_accRole(childVariant(CHILDID_SELF), &role) == S_OK && role.vt == VT_I4) {
        wchar_t text[64] = {};
        GetRoleTextW(role.lVal, text, 64);
        view.role = wxString(text).Lower().utf8_string();
    }
    view.name = nameOf(object, CHILDID_SELF);
    view.readWith =
        accessibleText(object, childVariant(CHILDID_SELF), &IAccessible::get_accDescription);
    LONG count = 0;
    (void)object->get_accChildCount(&count);
    for (LONG child = 1; child <= count; ++child)
        view.entries.push_back(nameOf(object, child));
    VARIANT selection;
    VariantInit(&selection);
    if (object->get_accSelection(&selection) == S_OK && selection.vt == VT_I4)
        view.selected = selection.lVal - 1;
    VariantClear(&selection);
    object->Release();
    return view;
}

BOOL CALLBACK findBox(HWND window, LPARAM found) {
    wchar_t kind[16] = {};
    GetClassNameW(window, kind, 16);
    if (IsWindowVisible(window) && wcscmp(kind, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The system's message box of this thread on the screen, if it is there yet.
HWND openBox() {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

} // namespace

ReaderView readControl(wxWindow& control) {
    return readObject(static_cast<HWND>(control.GetHandle()));
}

ReaderView readMessageBox(const std::function<void()>& show) {
    // This once the box is shown for real rather than answered through the hooks.
    platform::answerSystemMessageBoxesWith({});
    ReaderView view;
    wxTimer poll;
    // The box's own loop runs the timer: the program waits inside the system's call meanwhile.
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        HWND box = openBox();
        if (!box)
            return;
        poll.Stop();
        view = readObject(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    poll.Start(50);
    show();
    poll.Stop();
    answerSystemMessageBoxesThroughModalHooks();
    return view;
}
