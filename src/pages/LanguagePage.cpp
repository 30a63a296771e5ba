#include "pages/LanguagePage.h"

#include "script/SetupScript.h"
#include "ui/DialogResources.h"

#include <wx/combobox.h>

#include <algorithm>
#include <wx/xrc/xmlres.h>

LanguagePage::LanguagePage(wxWindow* parent, const SetupScript& script) {
    loadDialogTemplate(this, parent, "dialog179", wxSize(155, 71));
    languageCombo = XRCCTRL(*this, "ID_LANGUAGE_LIST", wxComboBox);
    languageCombo->SetId(kLanguageListId);
    fillLanguages(script);
    FindWindow(wxID_OK)->SetFocus();
}

namespace {
// A broken count of billions would keep the page from ever opening, so the list stops at a
// length no language list reaches.
constexpr int kMostLanguages = 1000;
} // namespace

void LanguagePage::fillLanguages(const SetupScript& script) {
    const int count = std::min(script.readCount("Language", "Nr"), kMostLanguages);
    for (int i = 0; i < count; ++i)
        languageCombo->Append(wxString::FromUTF8(script.readText("Language", std::to_string(i))));
    if (count > 0)
        languageCombo->SetSelection(0);
}

bool LanguagePage::TransferDataFromWindow() {
    chosenLanguage = languageCombo->GetValue().utf8_string();
    return true;
}
