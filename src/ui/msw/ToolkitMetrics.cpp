#include "ui/ToolkitMetrics.h"

#include "platform/FocusCues.h"

#include <wx/button.h>
#include <wx/window.h>

#include <cstdint>

namespace toolkit {

namespace {
// The space a system button keeps on each side of its text: its edge and the focus frame.
constexpr int kButtonTextMargin = 6;
} // namespace

// The Windows toolkit's owner-drawn combo works out a height of its own that, on some systems
// (Wine's), leaves its field and button undrawn; it gets a system combo box's height instead.
int comboFieldHeight(wxWindow* parent) {
    return parent->GetCharHeight() + 8;
}

// The system draws every control in the size the template gives it, where its text fits.
void fitControlsToToolkit(wxWindow* dialog) {
    for (wxWindow* control : dialog->GetChildren()) {
        fitControlsToToolkit(control);
        fitControlToText(control);
    }
}
// A button needs its text and the room the system's button draws around it; the toolkit's best
// size of a button is never below its default button's width, whatever the text.
int neededWidth(wxWindow* control) {
    if (dynamic_cast<wxButton*>(control))
        return control->GetTextExtent(wxControl::RemoveMnemonics(control->GetLabel())).x +
               2 * kButtonTextMargin;
    control->InvalidateBestSize();
    return control->GetBestSize().x;
}

// Windows hides the focus rectangle of a window opened with the mouse until the first key.
void showFocusFromTheStart(wxWindow* window) {
    const auto show = [window] {
        platform::showFocusCues(reinterpret_cast<std::uintptr_t>(window->GetHandle()));
    };
    show();
    window->Bind(wxEVT_SHOW, [show](wxShowEvent& event) {
        show();
        event.Skip();
    });
}

bool showsFocus(wxWindow* window) {
    return window->GetHandle() &&
           platform::focusCuesShown(reinterpret_cast<std::uintptr_t>(window->GetHandle()));
}

} // namespace toolkit
