// GoogleTest inside a wx application: modal dialogs run their own loops, so no main loop is needed.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include "support/SystemMessageBoxes.h"
#include "ui/DialogResources.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    if (!wxEntryStart(wxArgc, argv)) {
        fprintf(stderr, "cannot start wxWidgets (is there a display?)\n");
        return 2;
    }
    wxLog::SetActiveTarget(new wxLogStderr);
    wxTheApp->CallOnInit();
    loadDialogResources();
    answerSystemMessageBoxesThroughModalHooks();
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
