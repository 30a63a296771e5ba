#include "ui/ToolkitMetrics.h"

#include <wx/checkbox.h>
#include <wx/radiobut.h>

namespace toolkit {

int comboFieldHeight(wxWindow*) {
    return -1;
}

// GTK 3 draws a radio button or a check box no lower than its indicator's least height, which a
// template's 10 dialog units can fall short of at small fonts; it complains of every such
// control each time it is measured.
void fitControlsToToolkit(wxWindow* dialog) {
    for (wxWindow* control : dialog->GetChildren()) {
        fitControlsToToolkit(control);
        if (!dynamic_cast<wxRadioButton*>(control) && !dynamic_cast<wxCheckBox*>(control))
            continue;
        const wxRect place = control->GetRect();
        const int least = control->GetBestSize().y;
        if (place.height >= least)
            continue;
        control->SetSize(place.x, place.y - (least - place.height) / 2, place.width, least);
    }
}

} // namespace toolkit
