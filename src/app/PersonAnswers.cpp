#include "app/PersonAnswers.h"

#include "app/MessageBox.h"
#include "pages/AgreementPage.h"
#include "pages/CopyProgressDialog.h"
#include "pages/DirectoryPage.h"
#include "pages/InstallTypePage.h"
#include "script/SetupScript.h"
#include "session/RunLog.h"
#include "session/SetupSession.h"

#include <cstdint>
#include <wx/dialog.h>
#include <wx/msgdlg.h>

namespace {
constexpr long kStopBox = wxOK | wxICON_ERROR;
constexpr long kQuestionBox = wxYES_NO | wxICON_QUESTION;
constexpr long kInformationBox = wxOK | wxICON_INFORMATION;
} // namespace

PersonAnswers::PersonAnswers(wxDialog& mainWindow, SetupSession& session)
    : mainWindow(mainWindow), session(session) {}

PersonAnswers::~PersonAnswers() = default;

// The three pages and the copy dialog are made when the installation starts and destroyed when
// it returns; they borrow the session's target folder.
void PersonAnswers::begin(const SetupScript& script) {
    agreement = std::make_unique<AgreementPage>(nullptr, script);
    copyDialog = std::make_unique<CopyProgressDialog>(nullptr);
    directory = std::make_unique<DirectoryPage>(&mainWindow, session.targetFolder, script);
    installType = std::make_unique<InstallTypePage>(nullptr, script);
    mainWindow.Iconize(true);
}

bool PersonAnswers::acceptLicence() {
    return showPage(*agreement) != wxID_CANCEL;
}

std::string PersonAnswers::chooseInstallMode(bool showThePage) {
    return showThePage && showPage(*installType) == wxID_OK ? installType->getInstallMode() : "std";
}

bool PersonAnswers::chooseTargetFolder(std::string& folder) {
    if (showPage(*directory) != wxID_OK)
        return false;
    folder = directory->getChosenFolder();
    return true;
}

CopyEngine::Result PersonAnswers::runCopy(CopyEngine& engine) {
    const CopyEngine::Result result = copyDialog->runCopy(engine);
    mainWindow.Iconize(true); // as after every page
    return result;
}

bool PersonAnswers::goOnWithoutSpace(const std::string& text, const std::string& caption) {
    return askYesNo(text, caption, DefaultAnswer::No);
}

bool PersonAnswers::askYesNo(const std::string& text, const std::string& caption,
                             DefaultAnswer byDefault) {
    const long style =
        kQuestionBox | (byDefault == DefaultAnswer::No ? wxNO_DEFAULT : wxYES_DEFAULT);
    const bool yes = showMessageBox(&mainWindow, text, caption, style) == wxID_YES;
    runlog::write("question", text + (yes ? " -> Yes" : " -> No"));
    return yes;
}

void PersonAnswers::stop(const std::string& text, const std::string& caption) {
    runlog::write("failed", text);
    (void)showMessageBox(&mainWindow, text, caption, kStopBox);
}

void PersonAnswers::inform(const std::string& text, const std::string& caption) {
    runlog::write("message", text);
    (void)showMessageBox(&mainWindow, text, caption, kInformationBox);
}

std::uintptr_t PersonAnswers::ownerWindow() const {
    return reinterpret_cast<std::uintptr_t>(mainWindow.GetHandle());
}

void PersonAnswers::end() {
    mainWindow.EndModal(wxID_CANCEL);
}

bool PersonAnswers::giveBack() {
    runlog::write("stopped", "the main window is back");
    mainWindow.Iconize(false);
    mainWindow.Show();
    mainWindow.Raise();
    return false;
}

// Closing a page may bring the minimised main window back on some desktops (the system
// activates it, and the window manager restores what is activated), so it is minimised again.
int PersonAnswers::showPage(wxDialog& page) {
    const int result = page.ShowModal();
    mainWindow.Iconize(true);
    return result;
}
