#pragma once
// The command line's answers for an unattended run: no page and no box; what a box would say
// goes to the log and the standard error stream, and no window of another program opens.
#include "app/InstallAnswers.h"

struct CommandLine;

class CommandLineAnswers : public InstallAnswers {
public:
    explicit CommandLineAnswers(const CommandLine& line) : line(line) {}

    void begin(const SetupScript&) override {}
    bool acceptLicence() override;
    std::string chooseInstallMode(bool showPage) override;
    bool chooseTargetFolder(std::string& folder) override;
    bool goOnWithoutSpace(const std::string& text, const std::string& caption) override;
    // Yes, whatever the default: the command line has said to install.
    bool askYesNo(const std::string& text, const std::string& caption,
                  DefaultAnswer byDefault) override;
    void stop(const std::string& text, const std::string& caption) override;
    void inform(const std::string& text, const std::string& caption) override;
    bool runsOtherPrograms() const override { return false; }
    std::uintptr_t ownerWindow() const override { return 0; }
    void end() override {}
    bool giveBack() override { return false; }
    bool undoesOnFailure() const override;

private:
    const CommandLine& line;
};
