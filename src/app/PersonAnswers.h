#pragma once
// A person's answers: the pages and boxes over the minimised main window, and the copy's window
// for its progress.
#include "app/InstallAnswers.h"
#include "copy/CopyProgress.h"

#include <wx/defs.h>

#include <memory>

class AgreementPage;
class CopyProgressDialog;
class DirectoryPage;
class InstallTypePage;
struct SetupSession;
class wxDialog;

class PersonAnswers : public InstallAnswers, public CopyProgress {
public:
    // The main window is shown again when the installation gives it back; the session is the
    // window's.
    PersonAnswers(wxDialog& mainWindow, SetupSession& session);
    ~PersonAnswers() override;

    // Makes the pages and the copy dialog, which live until the answers end.
    void begin(const SetupScript& script) override;
    bool acceptLicence() override;
    std::string chooseInstallMode(bool showPage) override;
    bool chooseTargetFolder(std::string& folder) override;
    CopyEngine::Result runCopy(CopyEngine& engine) override;
    bool goOnWithoutSpace(const std::string& text, const std::string& caption) override;
    // The questions' boxes, over the minimised main window as every box of the run.
    bool askYesNo(const std::string& text, const std::string& caption,
                  DefaultAnswer byDefault) override;
    void stop(const std::string& text, const std::string& caption) override;
    void inform(const std::string& text, const std::string& caption) override;
    bool runsOtherPrograms() const override { return true; }
    std::uintptr_t ownerWindow() const override;
    void end() override;
    bool giveBack() override;

private:
    int showPage(wxDialog& page);

    wxDialog& mainWindow;
    SetupSession& session;
    std::unique_ptr<AgreementPage> agreement;
    std::unique_ptr<CopyProgressDialog> copyDialog;
    std::unique_ptr<DirectoryPage> directory;
    std::unique_ptr<InstallTypePage> installType;
};
