#pragma once
// What the install button runs: the pages, the folder check, the copy, the registration and the
// finishing steps, in this order; every failure is reported and gives the main window back.
// The answers come from a person or, in an unattended run, from the command line.
#include "copy/SpaceCheck.h"
#include "journal/RunJournal.h"

#include <string>

class CopyEngine;
class CopyProgress;
class InstallAnswers;
class SetupScript;
struct SetupSession;

class InstallSequence {
public:
    // The session, the script (the run's reading, with its language), the answers and the copy's
    // progress outlive the sequence.
    InstallSequence(SetupSession& session, const SetupScript& script, InstallAnswers& answers,
                    CopyProgress& progress);

    // True when the installation completed (and the answers' last step was taken).
    bool run();

private:
    enum class TargetFolder { Present, ToCreate, Refused };

    bool runSteps();
    // True when every entry was copied; else the answers were told why.
    bool copy(const std::string& installMode);
    std::string failureLine(const CopyEngine& engine) const;
    std::string diskFullLine() const;

    TargetFolder confirmTargetFolder();
    // Why the target's drive cannot hold a folder ("" when it can).
    std::string missingDrive() const;
    bool createTargetFolder();
    bool fitsOnDisk(const std::string& installMode);
    void finish();
    void copyScriptWithLanguage();
    void copyTitlePicture();
    void undoIfAsked();

    SetupSession& session;
    const SetupScript& script;
    InstallAnswers& answers;
    CopyProgress& progress;
    SpaceNeed spaceNeed; // measured before the copy
    RunJournal runJournal;
};
