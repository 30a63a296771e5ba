#pragma once
// What the install button runs: the pages, the folder check, the copy, the registration and the
// finishing steps, in this order; every failure is reported and gives the main window back.
#include <string>

class SetupDialog;
class SetupScript;
struct SetupSession;

class InstallSequence {
public:
    explicit InstallSequence(SetupDialog& mainWindow);

    // True when the installation completed and the main window was ended.
    bool run();

private:
    bool checkTargetFolder(const SetupScript& script);
    void finish(const SetupScript& script);
    void copyScriptWithLanguage();
    void copyTitlePicture(const SetupScript& script);
    void askForDirectX(const SetupScript& script);
    int showBox(const std::string& text, const std::string& caption, long style);
    bool giveBackMainWindow();

    SetupDialog& mainWindow;
    SetupSession& session;
};
