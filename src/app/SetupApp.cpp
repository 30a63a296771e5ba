// The application: one main window, run modally; the program ends when it closes.
#include "app/MessageBoxIcons.h"
#include "app/SetupDialog.h"
#include "platform/ErrorMode.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "session/SessionSetup.h"
#include "ui/DialogResources.h"

#include <wx/app.h>
#include <wx/image.h>

class SetupApp : public wxApp {
public:
    bool OnInit() override {
        platform::suppressSystemErrorBoxes();
        // The script's relative names are written for the program's own folder on the medium.
        (void)platform::changeFolder(folderOfPath(platform::ownProgramPath()));
        wxInitAllImageHandlers();
        loadDialogResources();
        // Every box of the program, the framework's own included, shows the icon of its kind.
        showIconsInMessageBoxes();
        return true;
    }

    // The main window instead of a main loop; however it ends, the run ended normally.
    int OnRun() override {
        SetupDialog dialog(nullptr);
        SetTopWindow(&dialog);
        if (dialog.initialise())
            dialog.ShowModal();
        SetTopWindow(nullptr);
        return 0;
    }
};

wxIMPLEMENT_APP(SetupApp);
