#include "app/WxQuestionAsker.h"

#include "app/MessageBox.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>
#include <wx/window.h>

namespace {

// The window on top at the moment of asking, not necessarily the main window.
wxWindow* topWindow() {
    if (wxWindow* owner = wxGetTopLevelParent(wxGetActiveWindow()))
        return owner;
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

} // namespace

bool WxQuestionAsker::askYesNo(const std::string& text, const std::string& caption,
                               bool yesIsDefault) {
    const long style = wxYES_NO | wxICON_QUESTION | (yesIsDefault ? wxYES_DEFAULT : wxNO_DEFAULT);
    return showMessageBox(topWindow(), text, caption, style) == wxID_YES;
}
