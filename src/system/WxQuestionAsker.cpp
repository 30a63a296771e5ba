#include "system/WxQuestionAsker.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>
#include <wx/window.h>

namespace {

wxWindow* topWindow() {
    if (wxWindow* owner = wxGetTopLevelParent(wxGetActiveWindow()))
        return owner;
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

} // namespace

bool WxQuestionAsker::askYesNo(const std::string& text, const std::string& caption,
                               bool yesIsDefault) {
    const long style = wxYES_NO | wxICON_QUESTION | (yesIsDefault ? wxYES_DEFAULT : wxNO_DEFAULT);
    wxMessageDialog box(topWindow(), wxString::FromUTF8(text), wxString::FromUTF8(caption), style);
    return box.ShowModal() == wxID_YES;
}
