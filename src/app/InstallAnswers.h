#pragma once
// Where the install sequence takes its answers: from a person, through the pages and boxes, from
// the command line of an unattended run, or from a test's script of values. Each answer is a
// value; the sequence itself is one path for all and needs no window. The copy's progress goes
// elsewhere (copy/CopyProgress.h).
#include "system/QuestionAsker.h"

#include <cstdint>
#include <string>

class SetupScript;

// The questions (askYesNo) are the boxes' too: the folder to create, the finishing questions.
class InstallAnswers : public QuestionAsker {
public:

    // Before the first step; the script is the run's reading, with its language, and outlives
    // the answers' work.
    virtual void begin(const SetupScript& script) = 0;
    virtual bool acceptLicence() = 0;
    // The install type ("min", "std", "max"); the page is shown only when the script asks for it.
    virtual std::string chooseInstallMode(bool showPage) = 0;
    // False when the person went back; the folder is left as it was then.
    virtual bool chooseTargetFolder(std::string& folder) = 0;
    // A disk that looks too small: true to go on.
    virtual bool goOnWithoutSpace(const std::string& text, const std::string& caption) = 0;

    // The box of a failure (a message is the asker's inform).
    virtual void stop(const std::string& text, const std::string& caption) = 0;

    // Whether the finishing steps that show or start other programs run: the program group's
    // folder, the further programs, the readme and DirectX. An unattended run passes them over.
    virtual bool runsOtherPrograms() const = 0;
    // The native window that other programs' windows belong to; 0 for none.
    virtual std::uintptr_t ownerWindow() const = 0;
    // After the installation, its last step.
    virtual void end() = 0;
    // Whether a failed or stopped run takes back what it made (an unattended run that asks so);
    // otherwise what it made stays, ready for the next try.
    virtual bool undoesOnFailure() const { return false; }
    // After a failure or a step back; false, for the sequence to return.
    virtual bool giveBack() = 0;
};
