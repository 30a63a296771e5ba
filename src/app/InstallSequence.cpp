#include "app/InstallSequence.h"

#include "app/MessageBox.h"
#include "app/SetupDialog.h"
#include "app/WxQuestionAsker.h"
#include "copy/CopyPaths.h"
#include "copy/CopyProgressDialog.h"
#include "copy/FolderPath.h"
#include "pages/AgreementPage.h"
#include "pages/DirectoryPage.h"
#include "pages/InstallTypePage.h"
#include "platform/Files.h"
#include "script/SetupScript.h"
#include "script/TextKeys.h"
#include "system/FinishingActions.h"
#include "system/InstallationRecord.h"
#include "system/Registration.h"
#include "system/SharedUninstaller.h"

#include <wx/msgdlg.h>

namespace {
constexpr long kStopBox = wxOK | wxICON_ERROR;
constexpr long kQuestionBox = wxYES_NO | wxICON_QUESTION;
constexpr long kInformationBox = wxOK | wxICON_INFORMATION;
} // namespace

InstallSequence::InstallSequence(SetupDialog& mainWindow)
    : mainWindow(mainWindow), session(mainWindow.session()) {}

// One piece, as the order of the whole installation is the point of this function: every step
// reads best right after the one before it.
bool InstallSequence::run() {
    const SetupScript script(session.scriptPath, session.languageSection);
    const std::string& language = session.languageSection;
    AgreementPage agreement(nullptr, language, session.scriptPath);
    CopyProgressDialog copy(&session.targetFolder, nullptr, language, session.scriptPath);
    DirectoryPage directory(&mainWindow, session.targetFolder, language, session.scriptPath);
    InstallTypePage installType(nullptr, language, session.scriptPath);
    mainWindow.Iconize(true);

    if (script.readFlag("Option", "show_licence") && agreement.ShowModal() == wxID_CANCEL)
        return giveBackMainWindow();
    if (script.readFlag("Option", "show_install_mode") && installType.ShowModal() == wxID_OK)
        copy.setInstallMode(installType.getInstallMode());
    if (directory.ShowModal() != wxID_OK)
        return giveBackMainWindow();
    // Closing its child page may bring the main window back on some desktops.
    mainWindow.Iconize(true);

    const std::string savedFolder = platform::currentFolder();
    session.targetFolder = directory.getChosenFolder();
    const bool folderReady = checkTargetFolder(script);
    (void)platform::changeFolder(savedFolder); // back to the medium whatever the check did
    if (!folderReady)
        return giveBackMainWindow();

    if (copy.ShowModal() != wxID_OK) {
        showBox(copy.getErrorText(), script.languageText(textkeys::kCopyEnded), kStopBox);
        return giveBackMainWindow();
    }
    if (!registerInstallation(session, script, session.targetFolder, language)) {
        showBox(script.languageText(textkeys::kShortcutFailed),
                script.languageText(textkeys::kGameName), kStopBox);
        (void)recordProgramFolder(session, session.targetFolder, language);
        return giveBackMainWindow();
    }
    finish(script);
    return true;
}

// The target folder made current, or created with the user's consent.
bool InstallSequence::checkTargetFolder(const SetupScript& script) {
    if (platform::changeFolder(session.targetFolder))
        return true;
    const std::string caption = script.languageText(textkeys::kGameName);
    // A file where the folder should be is not a missing folder: no folder can be made there.
    if (platform::fileExists(session.targetFolder)) {
        showBox(script.languageText(textkeys::kFolderNotCreated), caption, kStopBox);
        return false;
    }
    if (showBox(script.languageText(textkeys::kFolderMissing), caption, kQuestionBox) != wxID_YES)
        return false;
    if (createFolderPath(session.targetFolder))
        return true;
    showBox(script.languageText(textkeys::kFolderNotCreated), caption, kStopBox);
    return false;
}

void InstallSequence::finish(const SetupScript& script) {
    showBox(script.languageText(textkeys::kFinished), script.languageText(textkeys::kMainCaption),
            kInformationBox);
    openProgramGroup(session);
    installSharedUninstaller();
    copyScriptWithLanguage();
    copyTitlePicture(script);
    WxQuestionAsker asker;
    offerOtherPrograms(script, asker);
    openReadme();
    askForDirectX(script);
    mainWindow.EndModal(wxID_CANCEL);
}

void InstallSequence::copyScriptWithLanguage() {
    const std::string copy = session.targetFolder + "\\install.ini";
    // Failures of the finishing steps are not reported: the product is installed.
    (void)platform::copyFile("install.ini", copy, false);
    (void)platform::setFileAttributes(copy, platform::kAttributeArchive);
    (void)SetupScript::writeText(copy, "Option", "Language", session.languageSection);
}

void InstallSequence::copyTitlePicture(const SetupScript& script) {
    const std::string picture = script.languageText("Bitmap");
    // A name that climbs out of the target ("..\\x.bmp") is left out, as copy-list entries are.
    if (!isEntryInsideTarget(picture))
        return;
    const std::string copy = session.targetFolder + "\\" + picture;
    (void)platform::copyFile(picture, copy, false);
    (void)platform::setFileAttributes(copy, platform::kAttributeArchive);
}

void InstallSequence::askForDirectX(const SetupScript& script) {
    WxQuestionAsker asker;
    if (asker.askYesNo(script.languageText(textkeys::kDirectXQuestion), kDirectXCaption, true))
        (void)runDirectXSetup(session, script);
}

int InstallSequence::showBox(const std::string& text, const std::string& caption, long style) {
    return showMessageBox(&mainWindow, text, caption, style);
}

bool InstallSequence::giveBackMainWindow() {
    mainWindow.Iconize(false);
    mainWindow.Show();
    mainWindow.Raise();
    return false;
}
