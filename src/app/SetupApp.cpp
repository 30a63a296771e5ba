// The application: one main window, run modally; the program ends when it closes. With --silent
// the same installation runs without the window, answered from the command line.
#include "app/MediumStart.h"
#include "app/ProductCommands.h"
#include "app/QuietRun.h"
#include "app/SetupApp.h"
#include "app/SetupDialog.h"
#include "app/SystemWaitWindow.h"
#include "journal/Uninstall.h"
#include "paths/DrivePath.h"
#include "platform/ErrorMode.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/Medium.h"
#include "platform/Paths.h"
#include "platform/SystemActivity.h"
#include "session/CommandLine.h"
#include "session/ExitStatus.h"
#include "session/RunLog.h"
#include "session/SessionSetup.h"
#include "ui/Accessibility.h"
#include "ui/DialogResources.h"
#include "ui/MessageBoxIcons.h"
#include "words/ProgramWords.h"

#include <wx/app.h>
#include <wx/image.h>
#include <wx/log.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {
using exitstatus::kBadCommandLine;
using exitstatus::kFailed;
using exitstatus::kInstalled;
} // namespace

std::optional<int> answerSetupCommandLine(const std::string& name,
                                          const std::vector<std::string>& arguments) {
    // No script is read yet: the help and the errors speak the system's language.
    words::useLanguage(platform::systemLanguageId());
    const CommandLine line = parseCommandLine(arguments);
    switch (line.action) {
    case CommandLine::Action::Help:
        std::fputs(usageText(name).c_str(), stdout);
        return kInstalled;
    case CommandLine::Action::Error:
        std::fprintf(stderr, "setup: %s\n\n%s", line.error.c_str(), usageText(name).c_str());
        return kBadCommandLine;
    case CommandLine::Action::Uninstall:
        return uninstallCommand(line.product);
    case CommandLine::Action::Verify:
        return verifyCommand(line, name);
    case CommandLine::Action::Repair:
        return repairCommand(line, name);
    case CommandLine::Action::Run:
        break;
    }
    return std::nullopt;
}

class SetupApp : public wxApp {
public:
    bool OnInit() override {
        platform::suppressSystemErrorBoxes();
        // Read before anything moves: a relative log path names a file where the program was
        // started, not on the medium.
        if (!readCommandLine())
            return true;
        // Where the toolkit starts before the program's own code, a quiet run still makes no
        // window: it takes the same way as where it starts no toolkit.
        if (options.quiet) {
            exitStatus = runQuietInstallation(programName(), options, commandArguments());
            return true;
        }
        // Finding the medium and its drive may make the Wine prefix the product will run in; that
        // wait shows, and what it did goes to the log.
        showSystemActivity(!options.quiet);
        // Before anything reads the medium: the drives, the Wine prefix, the script.
        exitStatus = startOnTheMedium(options, programName());
        if (exitStatus)
            return true;
        // The script's relative names are written for the program's own folder on the medium.
        (void)platform::changeFolder(folderOfPath(platform::ownProgramPath()));
        exitStatus = refuseUnusableMachine(options);
        if (exitStatus)
            return true;
        wxInitAllImageHandlers();
        loadDialogResources();
        // Every box of the program, the framework's own included, shows the icon of its kind.
        showIconsInMessageBoxes();
        accessibility::nameMessageBoxesByCaption();
        // Nothing may wait for a person in an unattended run, the framework's own reports neither.
        if (options.silent)
            delete wxLog::SetActiveTarget(new wxLogStderr);
        return true;
    }

    // The main window instead of a main loop; however it ends, the run ended normally.
    int OnRun() override {
        if (exitStatus)
            return *exitStatus;
        SetupDialog dialog(nullptr);
        if (options.silent) {
            const int status = dialog.runUnattended(options);
            platform::finishSystemWork();
            runlog::close();
            return status;
        }
        SetTopWindow(&dialog);
        if (dialog.initialise())
            dialog.ShowModal();
        SetTopWindow(nullptr);
        platform::finishSystemWork();
        runlog::close();
        return kInstalled;
    }

private:
    std::vector<std::string> commandArguments() const {
        std::vector<std::string> arguments;
        for (int i = 1; i < argc; ++i)
            arguments.push_back(argv[i].utf8_string());
        return arguments;
    }
    std::string programName() const { return argc > 0 ? argv[0].utf8_string() : "setup"; }

    // False when the run ends here, with exitStatus set. A quiet run opens its log itself.
    bool readCommandLine() {
        const std::vector<std::string> arguments = commandArguments();
        exitStatus = answerSetupCommandLine(programName(), arguments);
        if (exitStatus)
            return false;
        options = parseCommandLine(arguments);
        if (options.quiet)
            return true;
        exitStatus = openRunLog(options, arguments);
        return !exitStatus;
    }

    CommandLine options;
    std::optional<int> exitStatus;
};

// The entry point is each system's own (app/entry/): it starts the toolkit with this class.
wxIMPLEMENT_APP_NO_MAIN(SetupApp);
