#include "pages/PageTexts.h"

#include <wx/window.h>

void setTextByKey(wxWindow* page, int id, const SetupScript& script, const char* key) {
    const wxString text = wxString::FromUTF8(script.languageText(key));
    if (id == 0) {
        page->SetLabel(text);
        return;
    }
    if (wxWindow* control = page->FindWindow(id))
        control->SetLabel(text);
}
