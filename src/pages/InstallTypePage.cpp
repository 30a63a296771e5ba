#include "pages/InstallTypePage.h"

#include "pages/PageTexts.h"
#include "script/TextKeys.h"
#include "ui/DialogResources.h"

#include <wx/radiobut.h>

InstallTypePage::InstallTypePage(wxWindow* parent, std::string language, std::string script)
    : languageSection(std::move(language)), scriptPath(std::move(script)) {
    loadDialogTemplate(this, parent, "dialog182", wxSize(185, 143));
    static const TextKey texts[] = {
        {0, textkeys::kInstallTypeCaption}, {kGroupId, textkeys::kInstallTypeGroup},
        {kMinimalId, textkeys::kMinimal},   {kStandardId, textkeys::kStandard},
        {kFullId, textkeys::kFull},         {wxID_OK, textkeys::kNext},
        {wxID_CANCEL, textkeys::kBack},
    };
    setTextsByKey(this, SetupScript(scriptPath, languageSection), texts);
    // Every attempt starts from the standard install, whatever was chosen before.
    if (auto* standard = dynamic_cast<wxRadioButton*>(FindWindow(kStandardId)))
        standard->SetValue(true);
    Bind(wxEVT_RADIOBUTTON, &InstallTypePage::OnTypeClicked, this, kMinimalId, kFullId);
}

void InstallTypePage::OnTypeClicked(wxCommandEvent& event) {
    switch (event.GetId()) {
    case kMinimalId:
        installMode = "min";
        break;
    case kStandardId:
        installMode = "std";
        break;
    case kFullId:
        installMode = "max";
        break;
    }
}
