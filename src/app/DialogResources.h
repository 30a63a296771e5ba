#pragma once
#include <wx/gdicmn.h>

class wxDialog;
class wxWindow;

// Registers the dialog templates carried in the program; safe to call more than once.
void loadDialogResources();

// Loads template <name> ("dialog102") into a dialog object constructed without a window, and
// gives it the template's size in dialog units (the template loader measures the dialog itself
// with the default font, not the template's).
bool loadDialogTemplate(wxDialog* dialog, wxWindow* parent, const char* name, wxSize dialogUnits);
