#include "app/MessageBox.h"

#include "platform/SystemMessageBox.h"
#include "ui/MessageBoxIcons.h"

#include <wx/msgdlg.h>
#include <wx/stockitem.h>
#include <wx/toplevel.h>

namespace {

// The system's box where there is one. The toolkit's box looks for an owner when given none and
// would take the minimised main window: on Windows it was then centred on the window's place off
// the screen and hidden with it.
std::optional<int> showSystemBox(wxWindow* owner, const std::string& text,
                                 const std::string& caption, long style) {
    using platform::BoxIcon;
    const BoxIcon icon = style & wxICON_ERROR         ? BoxIcon::Error
                         : style & wxICON_WARNING     ? BoxIcon::Warning
                         : style & wxICON_QUESTION    ? BoxIcon::Question
                         : style & wxICON_INFORMATION ? BoxIcon::Information
                                                      : BoxIcon::None;
    const auto buttons = (style & wxYES_NO) == wxYES_NO ? platform::BoxButtons::YesNo
                                                        : platform::BoxButtons::Ok;
    const auto answer = platform::showSystemMessageBox(owner ? owner->GetHandle() : nullptr, text,
                                                       caption, buttons, icon,
                                                       (style & wxNO_DEFAULT) != 0);
    if (!answer)
        return std::nullopt;
    switch (*answer) {
    case platform::BoxAnswer::Yes:
        return wxID_YES;
    case platform::BoxAnswer::No:
        return wxID_NO;
    case platform::BoxAnswer::Ok:
        return wxID_OK;
    case platform::BoxAnswer::Cancel:
        break;
    }
    return wxID_CANCEL;
}

} // namespace

int showMessageBox(wxWindow* owner, const std::string& text, const std::string& caption,
                   long style) {
    auto* window = owner ? dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(owner)) : nullptr;
    const bool minimised = window && window->IsIconized();
    if (const auto answer = showSystemBox(minimised ? nullptr : window, text, caption, style))
        return *answer;
    showIconsInMessageBoxes();
    wxMessageDialog box(minimised ? nullptr : owner, wxString::FromUTF8(text),
                        wxString::FromUTF8(caption), style | (minimised ? wxDIALOG_NO_PARENT : 0));
    // The buttons speak the run's language, not the desktop's: the toolkit's own box would take
    // its stock labels from the desktop's.
    box.SetYesNoLabels(wxGetStockLabel(wxID_YES), wxGetStockLabel(wxID_NO));
    box.SetOKLabel(wxGetStockLabel(wxID_OK));
    return box.ShowModal();
}
