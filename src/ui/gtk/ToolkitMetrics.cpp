#include "ui/ToolkitMetrics.h"

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/window.h>

#include <gtk/gtk.h>

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

// GTK shows the focus once a key has been pressed in the window, and again each time it is shown.
void showFocusFromTheStart(wxWindow* window) {
    const auto show = [window] {
        if (GtkWidget* widget = window->GetHandle(); widget && GTK_IS_WINDOW(widget))
            gtk_window_set_focus_visible(GTK_WINDOW(widget), TRUE);
    };
    show();
    window->Bind(wxEVT_SHOW, [show](wxShowEvent& event) {
        show();
        event.Skip();
    });
}

bool showsFocus(wxWindow* window) {
    GtkWidget* widget = window->GetHandle();
    return widget && GTK_IS_WINDOW(widget) && gtk_window_get_focus_visible(GTK_WINDOW(widget));
}

} // namespace toolkit
