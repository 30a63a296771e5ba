#include "app/MessageBox.h"

#include "app/MessageBoxIcons.h"

#include <wx/msgdlg.h>
#include <wx/toplevel.h>

#ifdef __WXMSW__
#include <windows.h>

namespace {

// The system's own box. wx's box looks for an owner when given none and would take the
// minimised main window: the box would then be centred on the window's place off the screen
// and hidden with it. Without an owner the box disables this program's windows itself.
int showSystemMessageBox(wxWindow* owner, const std::string& text, const std::string& caption,
                         long style) {
    UINT type = (style & wxYES_NO) == wxYES_NO ? MB_YESNO : MB_OK;
    if (style & wxNO_DEFAULT)
        type |= MB_DEFBUTTON2;
    if (style & wxICON_ERROR)
        type |= MB_ICONERROR;
    else if (style & wxICON_WARNING)
        type |= MB_ICONWARNING;
    else if (style & wxICON_QUESTION)
        type |= MB_ICONQUESTION;
    else if (style & wxICON_INFORMATION)
        type |= MB_ICONINFORMATION;
    if (!owner)
        type |= MB_TASKMODAL | MB_SETFOREGROUND;
    const HWND window = owner ? static_cast<HWND>(owner->GetHandle()) : nullptr;
    switch (MessageBoxW(window, wxString::FromUTF8(text).wc_str(),
                        wxString::FromUTF8(caption).wc_str(), type)) {
    case IDYES:
        return wxID_YES;
    case IDNO:
        return wxID_NO;
    case IDOK:
        return wxID_OK;
    default:
        return wxID_CANCEL;
    }
}

} // namespace
#endif

int showMessageBox(wxWindow* owner, const std::string& text, const std::string& caption,
                   long style) {
    auto* window = owner ? dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(owner)) : nullptr;
    const bool minimised = window && window->IsIconized();
#ifdef __WXMSW__
    return showSystemMessageBox(minimised ? nullptr : window, text, caption, style);
#else
    showIconsInMessageBoxes();
    wxMessageDialog box(minimised ? nullptr : owner, wxString::FromUTF8(text),
                        wxString::FromUTF8(caption), style | (minimised ? wxDIALOG_NO_PARENT : 0));
    return box.ShowModal();
#endif
}
