#include "pages/InstallTypePage.h"

#include "pages/PageTexts.h"
#include "script/TextKeys.h"
#include "ui/Accessibility.h"
#include "ui/DialogResources.h"

#include <wx/radiobut.h>

InstallTypePage::InstallTypePage(wxWindow* parent, const SetupScript& script) {
    loadDialogTemplate(this, parent, "dialog182", wxSize(185, 143));
    static const TextKey texts[] = {
        {0, textkeys::kInstallTypeCaption}, {kGroupId, textkeys::kInstallTypeGroup},
        {kMinimalId, textkeys::kMinimal},   {kStandardId, textkeys::kStandard},
        {kFullId, textkeys::kFull},         {wxID_OK, textkeys::kNext},
        {wxID_CANCEL, textkeys::kBack},
    };
    setTextsByKey(this, script, texts);
    if (wxWindow* frame = FindWindow(kGroupId))
        accessibility::groupChoices(
            *frame, {FindWindow(kMinimalId), FindWindow(kStandardId), FindWindow(kFullId)});
    // Every attempt starts from the standard install, whatever was chosen before.
    if (auto* standard = dynamic_cast<wxRadioButton*>(FindWindow(kStandardId)))
        standard->SetValue(true);
    Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent& event) { choose(event.GetId()); }, kMinimalId,
         kFullId);
    // The arrow keys choose as they move through the choices, as the system's automatic radio
    // buttons do; the Windows toolkit only moves the focus.
    for (int id : {kMinimalId, kStandardId, kFullId}) {
        auto* choice = dynamic_cast<wxRadioButton*>(FindWindow(id));
        if (!choice)
            continue;
        choice->Bind(wxEVT_SET_FOCUS, [this, choice, id](wxFocusEvent& event) {
            event.Skip();
            if (!choice->GetValue()) {
                choice->SetValue(true);
                choose(id);
            }
        });
    }
}

void InstallTypePage::choose(int id) {
    switch (id) {
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
