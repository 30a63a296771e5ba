#pragma once
// What the install button runs: the pages, the folder check, the copy, the registration and the
// finishing steps, in this order; every failure is reported and gives the main window back.
// An unattended run takes the same steps with the command line's answers in place of the pages
// and questions: a failure that would show a box is written to the log and stderr instead.
#include <string>

class wxDialog;
class SetupDialog;
class SetupScript;
struct CommandLine;
struct SetupSession;

class InstallSequence {
public:
    // unattended, when given, answers every page and question and outlives the sequence.
    explicit InstallSequence(SetupDialog& mainWindow, const CommandLine* unattended = nullptr);

    // True when the installation completed (and, when interactive, the main window was ended).
    bool run();

private:
    enum class TargetFolder { Present, ToCreate, Refused };

    TargetFolder confirmTargetFolder(const SetupScript& script);
    bool createTargetFolder(const SetupScript& script);
    bool fitsOnDisk(const SetupScript& script, const std::string& installMode);
    void finish(const SetupScript& script);
    void copyScriptWithLanguage();
    void copyTitlePicture(const SetupScript& script);
    void askForDirectX(const SetupScript& script);
    // The boxes of the installation; unattended, stop() fails the run and ask() answers itself.
    void stop(const std::string& text, const std::string& caption);
    bool ask(const std::string& text, const std::string& caption, bool unattendedAnswer,
             long defaultButton = 0);
    void inform(const std::string& text, const std::string& caption);
    int showPage(wxDialog& page);
    bool giveBackMainWindow();

    SetupDialog& mainWindow;
    SetupSession& session;
    const CommandLine* unattended;
};
