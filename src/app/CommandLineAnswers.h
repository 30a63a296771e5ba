#pragma once
// The command line's answers for an unattended run: no page and no box; what a box would say
// goes to the log and the standard error stream, and no window of another program opens.
#include "app/InstallAnswers.h"

struct CommandLine;

class CommandLineAnswers : public InstallAnswers {
public:
    explicit CommandLineAnswers(const CommandLine& line) : line(line) {}

    void begin() override {}
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
    void end() override {}
    bool giveBack() override { return false; }

private:
    const CommandLine& line;
};
