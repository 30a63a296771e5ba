#include "pages/AgreementPage.h"

#include "pages/AgreementText.h"
#include "pages/PageTexts.h"
#include "script/TextKeys.h"
#include "ui/DialogResources.h"

#include <wx/textctrl.h>

AgreementPage::AgreementPage(wxWindow* parent, const SetupScript& setupScript) {
    loadDialogTemplate(this, parent, "dialog165", wxSize(391, 231));
    static const TextKey texts[] = {
        {0, textkeys::kLicenceCaption},
        {wxID_OK, textkeys::kAccept},
        {wxID_CANCEL, textkeys::kDecline},
    };
    setTextsByKey(this, setupScript, texts);
    agreementText = dynamic_cast<wxTextCtrl*>(FindWindow(kAgreementTextId));
    if (agreementText) {
        const std::string fileName = setupScript.languageText(textkeys::kLicenceFile);
        agreementText->ChangeValue(wxString::FromUTF8(loadAgreementText(fileName)));
        agreementText->SetInsertionPoint(0);
    }
    // The decline button, first in the tab order, has the focus: a stray Enter declines.
    if (wxWindow* decline = FindWindow(wxID_CANCEL))
        decline->SetFocus();
}
