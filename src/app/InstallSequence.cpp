#include "app/InstallSequence.h"

#include "app/InstallAnswers.h"
#include "copy/CopyProgress.h"
#include "copy/SpaceCheck.h"
#include "pages/TargetFolderRefusal.h"
#include "paths/DrivePath.h"
#include "paths/FolderPath.h"
#include "paths/PathText.h"
#include "platform/Drives.h"
#include "platform/EndSignals.h"
#include "journal/InstallJournal.h"
#include "journal/JournalRecords.h"
#include "journal/Uninstall.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "script/SetupScript.h"
#include "script/TextKeys.h"
#include "session/RunLog.h"
#include "system/FinishingActions.h"
#include "system/Registration.h"
#include "system/SharedUninstaller.h"
#include "words/ProgramWords.h"

#include <new>

InstallSequence::InstallSequence(SetupSession& session, const SetupScript& script,
                                 InstallAnswers& answers, CopyProgress& progress)
    : session(session), script(script), answers(answers), progress(progress) {}

bool InstallSequence::run() {
    try {
        return runSteps();
    } catch (const std::bad_alloc&) {
        // Memory that runs out stops the run with a word, as any failure does, rather than
        // ending the program without one.
        answers.stop(words::translate("There is not enough memory to go on with the installation."),
                     script.languageText(textkeys::kGameName));
        return answers.giveBack();
    }
}

// A request to end the program during the copy stops it as Abort does, so that no half-written
// file is left; then the program ends as the request asked, and the log says why.
bool InstallSequence::copy(const std::string& installMode) {
    CopyEngine engine(&session.targetFolder, script);
    engine.setInstallMode(installMode);
    engine.resumeFrom(&runJournal.resumeIndex());
    engine.keepReplacedAside(answers.undoesOnFailure());
    CopyEngine::Result result = CopyEngine::Result::Failed;
    {
        const platform::EndSignalsHeld held;
        result = progress.runCopy(engine);
    }
    if (const std::string request = platform::endRequestName(); !request.empty()) {
        runlog::write("ended", request + " during the copy: the unit under way was undone, "
                                         "the files copied before it stay");
        platform::endAsRequested();
    }
    const std::string caption = script.languageText(textkeys::kCopyEnded);
    switch (result) {
    case CopyEngine::Result::Finished:
        return true;
    case CopyEngine::Result::Stopped:
        runJournal.end("stopped");
        undoIfAsked();
        // The person's own Abort is no failure: the box says where the copy stopped and what
        // is left, under the copy's caption.
        runlog::write("stopped", "the copy, at " + engine.lastEntry());
        answers.inform(words::translateWith("The installation was stopped at %1.\n"
                                            "The files copied before it stay in %2.",
                                            {engine.lastEntry(), session.targetFolder}),
                       caption);
        return false;
    case CopyEngine::Result::Failed:
        break;
    }
    runJournal.end("failed");
    undoIfAsked();
    answers.stop(engine.getErrorText() + failureLine(engine), caption);
    return false;
}

// An unattended run asked to leave nothing behind takes back what it made, newest first, and
// says what it could not.
void InstallSequence::undoIfAsked() {
    if (!answers.undoesOnFailure())
        return;
    RemovalReport report;
    report.tell = [](RemovalReport::Outcome outcome, const std::string& thing,
                     const std::string& why) {
        using Outcome = RemovalReport::Outcome;
        if (outcome == Outcome::Refused || outcome == Outcome::Failed)
            runlog::failure("not undone: " + thing + (why.empty() ? "" : " (" + why + ")"));
        else if (outcome != Outcome::Gone)
            runlog::write("undone", thing + (why.empty() ? "" : " (" + why + ")"));
    };
    runJournal.undo(report);
    runlog::write("undo", std::to_string(report.removed) + " things taken back, " +
                              std::to_string(report.kept) + " kept, " +
                              std::to_string(report.problems) + " not undone");
}

// Why the entry failed, on a line of its own under the script's text.
std::string InstallSequence::failureLine(const CopyEngine& engine) const {
    using Failure = CopyEngine::Failure;
    switch (engine.failure()) {
    case Failure::None:
        return {};
    case Failure::Missing:
        return "\n" + words::translate("The medium does not hold this file.");
    case Failure::NotAFile:
        return "\n" + words::translate("On the medium this is not a file.");
    case Failure::Unreadable:
        return "\n" + words::translate("The file cannot be read from the medium.");
    case Failure::DiskFull:
        return "\n" + diskFullLine();
    case Failure::NotWritten:
        break;
    }
    std::string line =
        words::translateWith("The file could not be written in %1.",
                             {folderOfPath(session.targetFolder + "\\" + engine.lastEntry())});
    if (!engine.systemReason().empty())
        line += "\n" + engine.systemReason() + ".";
    return "\n" + line;
}

// Which disk, and how much more room the whole installation wants than the disk had when the
// copy began (what the copy wrote since is part of the need).
std::string InstallSequence::diskFullLine() const {
    const std::string drive = session.targetFolder.substr(0, 2);
    if (!spaceNeed.free || spaceNeed.needed <= *spaceNeed.free)
        return words::translateWith("The disk %1 is full.", {drive});
    return words::translateWith("The disk %1 is full: the installation needs %2 more.",
                                {drive, formatByteCount(spaceNeed.needed - *spaceNeed.free)});
}

// One piece, as the order of the whole installation is the point of this function: every step
// reads best right after the one before it.
bool InstallSequence::runSteps() {
    const std::string& language = session.languageSection;
    answers.begin(script);
    runlog::write("language", language);

    if (script.readFlag("Option", "show_licence") && !answers.acceptLicence())
        return answers.giveBack();
    const std::string installMode =
        answers.chooseInstallMode(script.readFlag("Option", "show_install_mode"));
    runlog::write("install type", installMode);

    if (!answers.chooseTargetFolder(session.targetFolder))
        return answers.giveBack();
    runlog::write("target folder", session.targetFolder);
    // The page refuses such a folder itself; the command line and the script's default may
    // still name one.
    if (const std::string refusal = targetFolderRefusal(tidyDrivePath(session.targetFolder));
        !refusal.empty()) {
        answers.stop(refusal, script.languageText(textkeys::kGameName));
        return answers.giveBack();
    }

    if (const std::string name = tooLongShortcutName(session); !name.empty()) {
        answers.stop(
            script.languageText(textkeys::kShortcutFailed) + "\n" +
                words::translateWith("The name \"%1\" is longer than a file name may be.", {name}),
            script.languageText(textkeys::kGameName));
        return answers.giveBack();
    }
    runJournal.begin(session, installMode);
    const TargetFolder folder = confirmTargetFolder();
    if (folder == TargetFolder::Refused || !fitsOnDisk(installMode))
        return answers.giveBack();
    if (folder == TargetFolder::ToCreate && !createTargetFolder())
        return answers.giveBack();

    if (!copy(installMode))
        return answers.giveBack();
    runlog::write("copy", "complete");
    if (std::string reason;
        !registerInstallation(session, script, session.targetFolder, language, &reason)) {
        // The box keeps its text and names the cause on a line of its own.
        answers.stop(script.languageText(textkeys::kShortcutFailed) + "\n" + reason,
                     script.languageText(textkeys::kGameName));
        (void)recordProgramFolder(session, session.targetFolder, language);
        runJournal.end("failed");
        undoIfAsked();
        return answers.giveBack();
    }
    finish();
    return true;
}

// Whether the target folder is there, may be made, or neither; nothing is made yet, so that
// a step that still says no leaves nothing behind.
InstallSequence::TargetFolder InstallSequence::confirmTargetFolder() {
    const std::string savedFolder = platform::currentFolder();
    const bool present = platform::changeFolder(session.targetFolder);
    (void)platform::changeFolder(savedFolder); // back to the medium whatever the check did
    if (present)
        return TargetFolder::Present;
    const std::string caption = script.languageText(textkeys::kGameName);
    // A file where the folder should be is not a missing folder: no folder can be made there.
    if (platform::fileExists(session.targetFolder)) {
        answers.stop(script.languageText(textkeys::kFolderNotCreated), caption);
        return TargetFolder::Refused;
    }
    // No folder can be made on a drive that is not there or holds no medium: asking would only
    // lead to the box that says it could not be made.
    if (const std::string missing = missingDrive(); !missing.empty()) {
        answers.stop(script.languageText(textkeys::kFolderNotCreated) + "\n" + missing, caption);
        return TargetFolder::Refused;
    }
    if (!answers.askYesNo(script.languageText(textkeys::kFolderMissing), caption,
                          DefaultAnswer::Yes))
        return TargetFolder::Refused;
    return TargetFolder::ToCreate;
}

std::string InstallSequence::missingDrive() const {
    const std::string drive = session.targetFolder.substr(0, 2);
    const std::string root = drive + "\\";
    if (platform::driveType(root) == platform::DriveType::NoRootDir)
        return words::translateWith("The drive %1 does not exist.", {drive});
    platform::VolumeInformation volume;
    if (!platform::volumeInformation(root, volume))
        return words::translateWith("The drive %1 holds no medium.", {drive});
    return {};
}

bool InstallSequence::createTargetFolder() {
    if (createFolderPath(session.targetFolder)) {
        runlog::write("folder created", session.targetFolder);
        return true;
    }
    answers.stop(script.languageText(textkeys::kFolderNotCreated),
                 script.languageText(textkeys::kGameName));
    return false;
}

bool InstallSequence::fitsOnDisk(const std::string& installMode) {
    spaceNeed = measureSpaceNeed(script, installMode, session.targetFolder);
    const SpaceNeed& need = spaceNeed;
    runlog::write("space", "needed " + std::to_string(need.needed) + " bytes, free " +
                               (need.free ? std::to_string(*need.free) + " bytes" : "unknown"));
    return need.fits() || answers.goOnWithoutSpace(noSpaceText(script, need),
                                                   script.languageText(textkeys::kGameName));
}

void InstallSequence::finish() {
    answers.inform(script.languageText(textkeys::kFinished),
                   script.languageText(textkeys::kMainCaption));
    const bool others = answers.runsOtherPrograms();
    if (others)
        openProgramGroup(session);
    else
        runlog::write("finishing", "program group not shown (unattended)");
    installSharedUninstaller();
    copyScriptWithLanguage();
    copyTitlePicture();
    if (others) {
        offerOtherPrograms(script, answers);
        openReadme(answers.ownerWindow());
        offerDirectXSetup(session, script, answers);
    } else {
        runlog::write("finishing", "further programs, readme and DirectX skipped (unattended)");
    }
    runlog::write("installed", session.targetFolder);
    runJournal.dropKeptFiles();
    runJournal.end("installed");
    answers.end();
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
    if (copied)
        journal::filePlaced(journal::role::kScript, platform::toNativePath(copy));
}

void InstallSequence::copyTitlePicture() {
    const std::string picture = script.languageText("Bitmap");
    // A name that climbs out of the target ("..\\x.bmp") is left out, as copy-list entries are.
    if (!isEntryInsideTarget(picture)) {
        runlog::write("finishing",
                      "title picture not copied: " + picture + " is not inside the target folder");
        return;
    }
    const std::string copy = session.targetFolder + "\\" + picture;
    const bool copied = platform::copyFile(picture, copy, false);
    (void)platform::setFileAttributes(copy, platform::kAttributeArchive);
    runlog::write("finishing",
                  (copied ? "title picture copied: " : "title picture not copied: ") + copy);
    if (copied)
        journal::filePlaced(journal::role::kPicture, platform::toNativePath(copy));
}
