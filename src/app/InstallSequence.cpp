#include "app/InstallSequence.h"

#include "app/MessageBox.h"
#include "app/SetupDialog.h"
#include "app/WxQuestionAsker.h"
#include "copy/CopyPaths.h"
#include "copy/CopyProgressDialog.h"
#include "copy/FolderPath.h"
#include "copy/SpaceCheck.h"
#include "pages/AgreementPage.h"
#include "pages/DirectoryPage.h"
#include "pages/InstallTypePage.h"
#include "platform/Files.h"
#include "script/SetupScript.h"
#include "script/TextKeys.h"
#include "session/CommandLine.h"
#include "session/RunLog.h"
#include "system/FinishingActions.h"
#include "system/Registration.h"
#include "system/SharedUninstaller.h"

#include <wx/msgdlg.h>

namespace {
constexpr long kStopBox = wxOK | wxICON_ERROR;
constexpr long kQuestionBox = wxYES_NO | wxICON_QUESTION;
constexpr long kInformationBox = wxOK | wxICON_INFORMATION;
} // namespace

InstallSequence::InstallSequence(SetupDialog& mainWindow, const CommandLine* unattended)
    : mainWindow(mainWindow), session(mainWindow.session()), unattended(unattended) {}

// One piece, as the order of the whole installation is the point of this function: every step
// reads best right after the one before it.
bool InstallSequence::run() {
    const SetupScript script(session.scriptPath, session.languageSection);
    const std::string& language = session.languageSection;
    AgreementPage agreement(nullptr, language, session.scriptPath);
    CopyProgressDialog copy(&session.targetFolder, nullptr, language, session.scriptPath);
    DirectoryPage directory(&mainWindow, session.targetFolder, language, session.scriptPath);
    InstallTypePage installType(nullptr, language, session.scriptPath);
    if (!unattended)
        mainWindow.Iconize(true);
    runlog::write("language", language);

    if (script.readFlag("Option", "show_licence")) {
        if (unattended)
            runlog::write("licence", "accepted by the command line");
        else if (showPage(agreement) == wxID_CANCEL)
            return giveBackMainWindow();
    }
    std::string installMode = "std";
    if (unattended && !unattended->installType.empty())
        installMode = unattended->installType;
    else if (!unattended && script.readFlag("Option", "show_install_mode") &&
             showPage(installType) == wxID_OK)
        installMode = installType.getInstallMode();
    copy.setInstallMode(installMode);
    runlog::write("install type", installMode);

    if (unattended) {
        if (!unattended->folder.empty())
            session.targetFolder = unattended->folder;
    } else {
        if (showPage(directory) != wxID_OK)
            return giveBackMainWindow();
        session.targetFolder = directory.getChosenFolder();
    }
    runlog::write("target folder", session.targetFolder);

    const TargetFolder folder = confirmTargetFolder(script);
    if (folder == TargetFolder::Refused || !fitsOnDisk(script, installMode))
        return giveBackMainWindow();
    if (folder == TargetFolder::ToCreate && !createTargetFolder(script))
        return giveBackMainWindow();

    const int copied = unattended && unattended->quiet ? copy.runWithoutWindow() : showPage(copy);
    if (copied != wxID_OK) {
        stop(copy.getErrorText(), script.languageText(textkeys::kCopyEnded));
        return giveBackMainWindow();
    }
    runlog::write("copy", "complete");
    if (!registerInstallation(session, script, session.targetFolder, language)) {
        stop(script.languageText(textkeys::kShortcutFailed),
             script.languageText(textkeys::kGameName));
        (void)recordProgramFolder(session, session.targetFolder, language);
        return giveBackMainWindow();
    }
    finish(script);
    return true;
}

// Whether the target folder is there, may be made, or neither; nothing is made yet, so that
// a step that still says no leaves nothing behind.
InstallSequence::TargetFolder InstallSequence::confirmTargetFolder(const SetupScript& script) {
    const std::string savedFolder = platform::currentFolder();
    const bool present = platform::changeFolder(session.targetFolder);
    (void)platform::changeFolder(savedFolder); // back to the medium whatever the check did
    if (present)
        return TargetFolder::Present;
    const std::string caption = script.languageText(textkeys::kGameName);
    // A file where the folder should be is not a missing folder: no folder can be made there.
    if (platform::fileExists(session.targetFolder)) {
        stop(script.languageText(textkeys::kFolderNotCreated), caption);
        return TargetFolder::Refused;
    }
    if (!ask(script.languageText(textkeys::kFolderMissing), caption, true))
        return TargetFolder::Refused;
    return TargetFolder::ToCreate;
}

bool InstallSequence::createTargetFolder(const SetupScript& script) {
    if (createFolderPath(session.targetFolder)) {
        runlog::write("folder created", session.targetFolder);
        return true;
    }
    stop(script.languageText(textkeys::kFolderNotCreated),
         script.languageText(textkeys::kGameName));
    return false;
}

// Unattended, a disk that looks too small fails the run unless the command line says to go on:
// a copy that runs out of space half-way leaves a broken installation behind.
bool InstallSequence::fitsOnDisk(const SetupScript& script, const std::string& installMode) {
    const SpaceNeed need = measureSpaceNeed(session.scriptPath, installMode, session.targetFolder);
    runlog::write("space", "needed " + std::to_string(need.needed) + " bytes, free " +
                               (need.free ? std::to_string(*need.free) + " bytes" : "unknown"));
    if (need.fits())
        return true;
    const bool goOn = unattended && unattended->ignoreSpace;
    if (unattended && !goOn) {
        stop(noSpaceText(script, need) + " (--ignore-space installs all the same)",
             script.languageText(textkeys::kGameName));
        return false;
    }
    return ask(noSpaceText(script, need), script.languageText(textkeys::kGameName), goOn,
               wxNO_DEFAULT);
}

void InstallSequence::finish(const SetupScript& script) {
    inform(script.languageText(textkeys::kFinished), script.languageText(textkeys::kMainCaption));
    // Unattended, no window of another program opens either.
    if (unattended)
        runlog::write("finishing", "program group not shown (unattended)");
    else
        openProgramGroup(session);
    installSharedUninstaller();
    copyScriptWithLanguage();
    copyTitlePicture(script);
    if (unattended) {
        runlog::write("finishing", "further programs, readme and DirectX skipped (unattended)");
        runlog::write("installed", session.targetFolder);
        return;
    }
    WxQuestionAsker asker;
    offerOtherPrograms(script, asker);
    openReadme(reinterpret_cast<std::uintptr_t>(mainWindow.GetHandle()));
    askForDirectX(script);
    runlog::write("installed", session.targetFolder);
    mainWindow.EndModal(wxID_CANCEL);
}

void InstallSequence::copyScriptWithLanguage() {
    const std::string copy = session.targetFolder + "\\install.ini";
    // Failures of the finishing steps are not reported: the product is installed.
    const bool copied = platform::copyFile("install.ini", copy, false);
    (void)platform::setFileAttributes(copy, platform::kAttributeArchive);
    const bool written =
        SetupScript::writeText(copy, "Option", "Language", session.languageSection);
    runlog::write(
        "finishing",
        (copied && written ? "script copied with its language: " : "script not copied: ") + copy);
}

void InstallSequence::copyTitlePicture(const SetupScript& script) {
    const std::string picture = script.languageText("Bitmap");
    // A name that climbs out of the target ("..\\x.bmp") is left out, as copy-list entries are.
    if (!isEntryInsideTarget(picture)) {
        runlog::write("finishing", "title picture not copied: " + picture +
                                       " is not inside the target folder");
        return;
    }
    const std::string copy = session.targetFolder + "\\" + picture;
    const bool copied = platform::copyFile(picture, copy, false);
    (void)platform::setFileAttributes(copy, platform::kAttributeArchive);
    runlog::write("finishing",
                  (copied ? "title picture copied: " : "title picture not copied: ") + copy);
}

void InstallSequence::askForDirectX(const SetupScript& script) {
    WxQuestionAsker asker;
    if (asker.askYesNo(script.languageText(textkeys::kDirectXQuestion), kDirectXCaption, true))
        (void)runDirectXSetup(session, script);
    else
        runlog::write("finishing", "DirectX declined");
}

void InstallSequence::stop(const std::string& text, const std::string& caption) {
    if (unattended) {
        runlog::failure(text);
        return;
    }
    runlog::write("failed", text);
    (void)showMessageBox(&mainWindow, text, caption, kStopBox);
}

bool InstallSequence::ask(const std::string& text, const std::string& caption,
                          bool unattendedAnswer, long defaultButton) {
    const bool yes = unattended ? unattendedAnswer
                                : showMessageBox(&mainWindow, text, caption,
                                                 kQuestionBox | defaultButton) == wxID_YES;
    runlog::write("question",
                  text + (yes ? " -> Yes" : " -> No") + (unattended ? " (unattended)" : ""));
    return yes;
}

void InstallSequence::inform(const std::string& text, const std::string& caption) {
    runlog::write("message", text);
    if (!unattended)
        (void)showMessageBox(&mainWindow, text, caption, kInformationBox);
}

// Closing a page may bring the minimised main window back on some desktops (the system
// activates it, and the window manager restores what is activated), so it is minimised again.
int InstallSequence::showPage(wxDialog& page) {
    const int result = page.ShowModal();
    if (!unattended)
        mainWindow.Iconize(true);
    return result;
}

bool InstallSequence::giveBackMainWindow() {
    if (unattended)
        return false;
    runlog::write("stopped", "the main window is back");
    mainWindow.Iconize(false);
    mainWindow.Show();
    mainWindow.Raise();
    return false;
}
