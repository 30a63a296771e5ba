#include "pages/PageTexts.h"

#include "ui/DialogResources.h"

#include <wx/window.h>

void setTextByKey(wxWindow* page, int id, const SetupScript& script, const char* key) {
    if (id == 0)
        page->SetLabel(wxString::FromUTF8(script.languageText(key)));
    else
        setControlText(page->FindWindow(id), script.languageText(key));
}
