#include "app/CommandLineAnswers.h"

#include "session/CommandLine.h"
#include "session/RunLog.h"
#include "words/ProgramWords.h"

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

// A copy that runs out of space half-way leaves a broken installation behind: unattended, a
// disk that looks too small fails the run unless the command line says to go on.
bool CommandLineAnswers::goOnWithoutSpace(const std::string& text, const std::string& caption) {
    if (line.ignoreSpace)
        return askYesNo(text, caption, DefaultAnswer::No);
    stop(text + " " + words::translate("(--ignore-space installs all the same)"), caption);
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

bool CommandLineAnswers::undoesOnFailure() const {
    return line.undoOnFailure;
}
