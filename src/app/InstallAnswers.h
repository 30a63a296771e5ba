#pragma once
// Where the install sequence takes its answers: from a person, through the pages and boxes, from
// the command line of an unattended run, or from a test's script of values. Each answer is a
// value; the sequence itself is one path for all and needs no window.
#include <string>

class SetupScript;
struct SetupSession;

class InstallAnswers {
public:
    virtual ~InstallAnswers() = default;

    // Before the first step.
    virtual void begin() = 0;
    virtual bool acceptLicence() = 0;
    // The install type ("min", "std", "max"); the page is shown only when the script asks for it.
    virtual std::string chooseInstallMode(bool showPage) = 0;
    // False when the person went back; the folder is left as it was then.
    virtual bool chooseTargetFolder(std::string& folder) = 0;
    // Copies the install type's list; true when everything was copied, else errorText says what
    // stopped it.
    virtual bool copy(const std::string& installMode, std::string& errorText) = 0;
    // A disk that looks too small: true to go on.
    virtual bool goOnWithoutSpace(const std::string& text, const std::string& caption) = 0;

    // The boxes: a question (Yes is the default unless noIsDefault), a failure, a message.
    virtual bool ask(const std::string& text, const std::string& caption, bool noIsDefault) = 0;
    virtual void stop(const std::string& text, const std::string& caption) = 0;
    virtual void inform(const std::string& text, const std::string& caption) = 0;

    // The finishing steps that show windows of other programs or ask: the program group after
    // the finished box, and the further programs, the readme and DirectX at the end.
    virtual void showProgramGroup(const SetupSession& session) = 0;
    virtual void offerFinishingActions(const SetupSession& session, const SetupScript& script) = 0;
    // After the installation, its last step.
    virtual void end() = 0;
    // After a failure or a step back; false, for the sequence to return.
    virtual bool giveBack() = 0;
};
