#include "system/FinishingActions.h"

#include "platform/Drives.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "script/TextKeys.h"
#include "session/RunLog.h"
#include "paths/DrivePath.h"
#include "system/Registration.h"
#include "words/ProgramWords.h"

void openProgramGroup(const SetupSession& session) {
    std::string programsFolder;
    // Without the programs folder there was no group to make, so there is none to show.
    if (!readProgramsFolder(programsFolder))
        return;
    const std::string group =
        programsFolder + "\\" + session.companyName + "\\" + session.programName;
    const bool opened = platform::openWithDefaultProgram(group, ""); // no file manager: no failure
    runlog::write("finishing",
                  (opened ? "program group shown: " : "program group not shown: ") + group);
}

void offerOtherPrograms(const SetupScript& script, QuestionAsker& asker) {
    const std::string countText = script.languageText("OTHERFILES");
    if (countText.empty())
        return;
    const int count = parseCount(countText);
    const std::string base = ownProgramFolder() + "\\";
    for (int i = 0; i < count; ++i) {
        const std::string question = script.languageText(SetupScript::indexedKey("Message%d", i));
        const std::string program = script.languageText(SetupScript::indexedKey("Exe%d", i));
        // The rows end at the first one the script does not have: a huge count must not ask an
        // empty question billions of times.
        if (question.empty() && program.empty())
            return;
        if (!asker.askYesNo(question, kOtherProgramCaption, DefaultAnswer::No)) {
            runlog::write("finishing", "further program declined: " + program);
            continue;
        }
        // The program sees its name as written in the script; its result is not ours to judge.
        const int result = platform::spawnAndWait(base + program, {program});
        runlog::write("finishing", result < 0 ? "further program could not start: " + program
                                              : "further program ran: " + program + " (exit code " +
                                                    std::to_string(result) + ")");
    }
}

bool runDirectXSetup(const SetupSession& session, const SetupScript& script) {
    std::string path = script.languageText(textkeys::kDirectXProgram);
    // The path may name any drive letter; the medium is in sourceDrive.
    const char drive = session.sourceDrive.empty() ? '\0' : session.sourceDrive[0];
    if (drive == '\0')
        return false;
    if (path.empty())
        path = std::string(1, drive);
    else
        path[0] = drive;
    const int result = platform::spawnAndWait(path, {path});
    runlog::write("finishing", result < 0 ? "DirectX program could not start: " + path
                                          : "DirectX program ran: " + path + " (exit code " +
                                                std::to_string(result) + ")");
    return result == 0;
}

void openReadme(std::uintptr_t ownerWindow) {
    const std::string folder = ownProgramFolder();
    const std::string readme = folder + "\\readme.txt";
    // A missing readme is not reported, so the desktop is not asked to show an error either.
    if (platform::fileExists(readme) && platform::openWithDefaultProgram(readme, folder, ownerWindow))
        runlog::write("finishing", "readme shown: " + readme);
}

namespace {

// Why the DirectX set-up cannot start from the source drive ("" when its program is there).
std::string directXRefusal(const SetupSession& session, const SetupScript& script) {
    const std::string drive = session.sourceDrive.substr(0, 1);
    if (drive.empty() || platform::driveType(drive + ":\\") != platform::DriveType::CdRom)
        return words::translate(
            "The DirectX set-up cannot start: it runs from the game's disc in a CD-ROM drive, and "
            "the installation was started from elsewhere.");
    std::string path = script.languageText(textkeys::kDirectXProgram);
    if (!path.empty())
        path[0] = drive[0];
    if (path.empty() || !platform::fileExists(path))
        return words::translateWith("The DirectX set-up cannot start: the disc does not hold %1.",
                                    {path.empty() ? drive + ":" : path});
    return {};
}

} // namespace

void offerDirectXSetup(const SetupSession& session, const SetupScript& script, QuestionAsker& asker) {
    if (!asker.askYesNo(script.languageText(textkeys::kDirectXQuestion), kDirectXCaption,
                        DefaultAnswer::Yes)) {
        runlog::write("finishing", "DirectX declined");
        return;
    }
    // A Yes that could do nothing says why, rather than nothing at all.
    if (const std::string refusal = directXRefusal(session, script); !refusal.empty()) {
        runlog::write("finishing", "DirectX program not started: " + refusal);
        asker.inform(refusal, kDirectXCaption);
        return;
    }
    (void)runDirectXSetup(session, script);
}
