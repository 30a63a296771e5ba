#pragma once
#include <wx/gdicmn.h>

#include <string>

class wxDialog;
class wxWindow;

// Registers the dialog templates carried in the program; safe to call more than once.
void loadDialogResources();

// Loads template <name> ("dialog102") into a dialog object constructed without a window, and
// gives it the template's size in dialog units (the template loader measures the dialog itself
// with the default font, not the template's).
bool loadDialogTemplate(wxDialog* dialog, wxWindow* parent, const char* name, wxSize dialogUnits);

// Sets a control's text from the script (UTF-8). An empty text stays empty, also on the OK and
// Cancel buttons, which the toolkit would otherwise label with its own stock texts.
void setControlText(wxWindow* control, const std::string& text);
