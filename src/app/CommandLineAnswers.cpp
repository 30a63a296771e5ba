#include "app/CommandLineAnswers.h"

#include "copy/CopyProgressDialog.h"
#include "session/CommandLine.h"
#include "session/RunLog.h"

#include <wx/defs.h>

bool CommandLineAnswers::acceptLicence(AgreementPage&) {
    runlog::write("licence", "accepted by the command line");
    return true;
}

std::string CommandLineAnswers::chooseInstallMode(InstallTypePage&, bool) {
    return line.installType.empty() ? "std" : line.installType;
}

bool CommandLineAnswers::chooseTargetFolder(DirectoryPage&, std::string& folder) {
    if (!line.folder.empty())
        folder = line.folder;
    return true;
}

int CommandLineAnswers::copy(CopyProgressDialog& dialog) {
    return line.quiet ? dialog.runWithoutWindow() : dialog.ShowModal();
}

// A copy that runs out of space half-way leaves a broken installation behind: unattended, a
// disk that looks too small fails the run unless the command line says to go on.
bool CommandLineAnswers::goOnWithoutSpace(const std::string& text, const std::string& caption) {
    if (line.ignoreSpace)
        return ask(text, caption, true);
    stop(text + " (--ignore-space installs all the same)", caption);
    return false;
}

bool CommandLineAnswers::ask(const std::string& text, const std::string&, bool) {
    runlog::write("question", text + " -> Yes (unattended)");
    return true;
}

void CommandLineAnswers::stop(const std::string& text, const std::string&) {
    runlog::failure(text);
}

void CommandLineAnswers::inform(const std::string& text, const std::string&) {
    runlog::write("message", text);
}

void CommandLineAnswers::showProgramGroup(const SetupSession&) {
    runlog::write("finishing", "program group not shown (unattended)");
}

void CommandLineAnswers::offerFinishingActions(const SetupSession&, const SetupScript&) {
    runlog::write("finishing", "further programs, readme and DirectX skipped (unattended)");
}
