#pragma once
// The main window: the title picture with the install and exit buttons. It owns the run's
// SetupSession; the install button starts the installation.
#include "script/SetupScript.h"
#include "session/SetupSession.h"

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/icon.h>

#include <optional>
#include <string>

struct CommandLine;

class SetupDialog : public wxDialog {
public:
    explicit SetupDialog(wxWindow* parent);

    // Chooses the language (showing the language page when the system's is not mapped) and fills
    // the session and the window. False when the language page was cancelled: the window is then
    // never shown and the run ends.
    bool initialise();

    // The install button's work: the whole installation, or a report of why it stopped.
    void runInstallSequence();

    // The installation without pages or questions, the window never shown: the language from
    // the command line (or the system's mapping), then the install button's sequence with the
    // command line's answers. 0 when the product was installed, 1 otherwise (reason on stderr).
    int runUnattended(const CommandLine& options);

    SetupSession& sessionRecord() { return setupSession; }
    const wxBitmap& titleBitmap() const { return titlePicture; }

protected:
    // The language page, run modally; a hook so that a caller may answer it differently.
    virtual std::optional<std::string> runLanguagePage();

private:
    void fillFromScript();
    void loadTitleBitmap();
    void applyTexts();
    void OnPaint(wxPaintEvent& event);
    void OnInstall(wxCommandEvent& event);

    SetupSession setupSession;
    // The script beside the program, read once when the window is made; its language once
    // chosen.
    SetupScript script;
    wxIcon appIcon;
    wxBitmap titlePicture;
};
