#include "pages/PageTexts.h"

#include <wx/button.h>
#include <wx/window.h>

void setTextByKey(wxWindow* page, int id, const SetupScript& script, const char* key) {
    const wxString text = wxString::FromUTF8(script.languageText(key));
    if (id == 0) {
        page->SetLabel(text);
        return;
    }
    wxWindow* control = page->FindWindow(id);
    if (!control)
        return;
    // A button with a standard id would show its standard label for an empty text; under
    // another id for the moment it takes the empty text like any other.
    const bool emptyButton = text.empty() && dynamic_cast<wxButton*>(control);
    if (emptyButton)
        control->SetId(wxID_HIGHEST + 1);
    control->SetLabel(text);
    if (emptyButton)
        control->SetId(id);
}
