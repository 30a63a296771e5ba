#include "app/MessageBox.h"

#include "app/MessageBoxIcons.h"

#include <wx/msgdlg.h>
#include <wx/toplevel.h>

int showMessageBox(wxWindow* owner, const std::string& text, const std::string& caption,
                   long style) {
    auto* window = owner ? dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(owner)) : nullptr;
    const bool minimised = window && window->IsIconized();
    showIconsInMessageBoxes();
    wxMessageDialog box(minimised ? nullptr : owner, wxString::FromUTF8(text),
                        wxString::FromUTF8(caption), style | (minimised ? wxDIALOG_NO_PARENT : 0));
    return box.ShowModal();
}
