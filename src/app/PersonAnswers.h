#pragma once
// A person's answers: the pages and boxes over the minimised main window.
#include "app/InstallAnswers.h"

#include <wx/defs.h>

class SetupDialog;
class wxDialog;

class PersonAnswers : public InstallAnswers {
public:
    explicit PersonAnswers(SetupDialog& mainWindow) : mainWindow(mainWindow) {}

    void begin() override;
    bool acceptLicence(AgreementPage& page) override;
    std::string chooseInstallMode(InstallTypePage& page, bool showPage) override;
    bool chooseTargetFolder(DirectoryPage& page, std::string& folder) override;
    int copy(CopyProgressDialog& dialog) override;
    bool goOnWithoutSpace(const std::string& text, const std::string& caption) override;
    bool ask(const std::string& text, const std::string& caption, bool noIsDefault) override;
    void stop(const std::string& text, const std::string& caption) override;
    void inform(const std::string& text, const std::string& caption) override;
    void showProgramGroup(const SetupSession& session) override;
    void offerFinishingActions(const SetupSession& session, const SetupScript& script) override;
    void end() override;
    bool giveBack() override;

private:
    int showPage(wxDialog& page);

    SetupDialog& mainWindow;
};
