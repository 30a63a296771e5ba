#include "ui/ToolkitMetrics.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/window.h>


#include <gtk/gtk.h>

namespace toolkit {

int comboFieldHeight(wxWindow*) {
    return -1;
}

namespace {

// Room for the frame's corner before its label, as the system's group boxes leave.
constexpr int kFrameLabelIndent = 6;

void indentFrameLabel(wxStaticBox* frame) {
    GtkWidget* widget = frame->GetHandle();
    if (!widget || !GTK_IS_FRAME(widget))
        return;
    if (GtkWidget* label = gtk_frame_get_label_widget(GTK_FRAME(widget)))
        gtk_widget_set_margin_start(label, kFrameLabelIndent);
}

} // namespace

// The width the control's text needs. A button asks GTK itself: the toolkit's best size of a button
// is never below its default button's width, whatever the text.
int neededWidth(wxWindow* control) {
    const bool button = dynamic_cast<wxButton*>(control);
    GtkWidget* widget = control->GetHandle();
    if (button && widget) {
        int least = 0;
        int natural = 0;
        gtk_widget_get_preferred_width(widget, &least, &natural);
        return natural;
    }
    control->InvalidateBestSize();
    return control->GetBestSize().x;
}

// GTK 3 draws a radio button or a check box no lower than its indicator's least height, which a
// template's 10 dialog units can fall short of at small fonts; it complains of every such
// control each time it is measured. The template's texts get the width they need too.
void fitControlsToToolkit(wxWindow* dialog) {
    for (wxWindow* control : dialog->GetChildren()) {
        fitControlsToToolkit(control);
        if (auto* frame = dynamic_cast<wxStaticBox*>(control))
            indentFrameLabel(frame);
        fitControlToText(control);
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
