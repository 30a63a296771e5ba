#include "app/CommandLineAnswers.h"

#include "copy/CopyEngine.h"
#include "pages/CopyProgressDialog.h"
#include "platform/EndSignals.h"
#include "session/CommandLine.h"
#include "session/RunLog.h"
#include "session/SetupSession.h"

#include <wx/defs.h>

bool CommandLineAnswers::acceptLicence() {
    runlog::write("licence", "accepted by the command line");
    return true;
}

std::string CommandLineAnswers::chooseInstallMode(bool) {
    return line.installType.empty() ? "std" : line.installType;
}

bool CommandLineAnswers::chooseTargetFolder(std::string& folder) {
    if (!line.folder.empty())
        folder = line.folder;
    return true;
}

bool CommandLineAnswers::copy(const std::string& installMode, std::string& errorText) {
    if (line.quiet) {
        CopyEngine engine(&session.targetFolder, *runScript);
        engine.setInstallMode(installMode);
        const bool copied =
            engine.copyToTheEnd(&platform::endRequested()) == CopyEngine::Result::Finished;
        errorText = engine.getErrorText();
        return copied;
    }
    CopyProgressDialog dialog(&session.targetFolder, nullptr, *runScript);
    dialog.setInstallMode(installMode);
    const bool copied = dialog.ShowModal() == wxID_OK;
    errorText = dialog.getErrorText();
    return copied;
}

// A copy that runs out of space half-way leaves a broken installation behind: unattended, a
// disk that looks too small fails the run unless the command line says to go on.
bool CommandLineAnswers::goOnWithoutSpace(const std::string& text, const std::string& caption) {
    if (line.ignoreSpace)
        return askYesNo(text, caption, DefaultAnswer::No);
    stop(text + " (--ignore-space installs all the same)", caption);
    return false;
}

bool CommandLineAnswers::askYesNo(const std::string& text, const std::string&, DefaultAnswer) {
    runlog::write("question", text + " -> Yes (unattended)");
    return true;
}

void CommandLineAnswers::stop(const std::string& text, const std::string&) {
    runlog::failure(text);
}

void CommandLineAnswers::inform(const std::string& text, const std::string&) {
    runlog::write("message", text);
}
