#pragma once
// The message boxes of the installation: text, caption, buttons and icon as wx styles.
#include <string>

class wxWindow;

// Shows a box owned by the given window and returns the button pressed (wxID_YES, ...). While
// the owner is minimised the box has no owner: owning it would make the window manager show the
// window again, and the box would not be centred on the screen.
int showMessageBox(wxWindow* owner, const std::string& text, const std::string& caption,
                   long style);
