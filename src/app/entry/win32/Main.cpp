// The system's own entry point, which hands the toolkit the command line as the system keeps it
// (in UTF-16, whatever the code page); the application answers --help, errors and a quiet run
// before it makes any window.
#include <wx/app.h>

wxIMPLEMENT_WXWIN_MAIN
