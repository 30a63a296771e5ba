#include "support/SystemMessageBoxes.h"

#include "platform/SystemMessageBoxTestHook.h"

#include <gtest/gtest.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>
#include <wx/window.h>

namespace {

using platform::BoxAnswer;
using platform::BoxIcon;

long styleOf(const platform::SystemMessageBoxRequest& request) {
    long style = request.buttons == platform::BoxButtons::YesNo ? wxYES_NO : wxOK;
    if (request.noIsDefault)
        style |= wxNO_DEFAULT;
    switch (request.icon) {
    case BoxIcon::Error:
        return style | wxICON_ERROR;
    case BoxIcon::Warning:
        return style | wxICON_WARNING;
    case BoxIcon::Question:
        return style | wxICON_QUESTION;
    case BoxIcon::Information:
        return style | wxICON_INFORMATION;
    case BoxIcon::None:
        break;
    }
    return style;
}

BoxAnswer answerOf(int id) {
    switch (id) {
    case wxID_YES:
        return BoxAnswer::Yes;
    case wxID_NO:
        return BoxAnswer::No;
    case wxID_OK:
        return BoxAnswer::Ok;
    default:
        return BoxAnswer::Cancel;
    }
}

// The program's window whose native window owns the box: the boxes are owned by top windows.
wxWindow* windowOf(void* handle) {
    for (wxWindow* window : wxTopLevelWindows)
        if (handle && window->GetHandle() == handle)
            return window;
    return nullptr;
}

BoxAnswer answerThroughHooks(const platform::SystemMessageBoxRequest& request) {
    wxWindow* owner = windowOf(request.owner);
    wxMessageDialog box(owner, wxString::FromUTF8(request.text),
                        wxString::FromUTF8(request.caption), styleOf(request));
    const int id = wxModalDialogHook::CallEnter(&box);
    wxModalDialogHook::CallExit(&box);
    if (id == wxID_NONE) {
        ADD_FAILURE() << "system message box \"" << request.text << "\" that no test answers";
        return BoxAnswer::Cancel;
    }
    return answerOf(id);
}

} // namespace

void answerSystemMessageBoxesThroughModalHooks() {
    platform::answerSystemMessageBoxesWith(answerThroughHooks);
}
