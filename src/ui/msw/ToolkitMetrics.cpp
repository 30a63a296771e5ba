#include "ui/ToolkitMetrics.h"

#include <wx/window.h>

namespace toolkit {

// The Windows toolkit's owner-drawn combo works out a height of its own that, on some systems
// (Wine's), leaves its field and button undrawn; it gets a system combo box's height instead.
int comboFieldHeight(wxWindow* parent) {
    return parent->GetCharHeight() + 8;
}

// The system draws every control in the size the template gives it.
void fitControlsToToolkit(wxWindow*) {}

} // namespace toolkit
